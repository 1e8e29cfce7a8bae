// The status item's menu used as a person uses it: the host's displays shown on the machine's
// screen, a click on the status item's stand-in, then a click on an item of its menu. Display A
// has the menu bar (Spaces 101 to 108 in rows of three, stopping at the edges); display B, on
// Space 202 (index 1 of 4), lies at the screen's right, where a stand-in for the whole screen
// would stand.

#include "Core/Fakes/EngineWorld.h"
#include "Platform/MachineInput/MachineInputSession.h"
#include "Platform/MachineInput/MachineMouseFeed.h"
#include "Platform/MachineScreen.h"
#include "UI/MenuBar/MenuBarController.h"
#include "UI/MenuBar/StatusBarMirror.h"
#include "UI/OSD/OSDGridViewTestSupport.h"

#include <QAction>
#include <QApplication>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>
#include <optional>
#include <ostream>
#include <string>

namespace tessarin {
namespace {

using fakes::switchingScenario;
using fakes::World;

World::Adjust ownShell() {
    return [](AppDelegateDependencies& dependencies) { dependencies.shell = nullptr; };
}

// The switching scenario with the Dock running, so Mission Control can add a Desktop.
Scenario withDock(SpaceID startOnA) {
    Scenario scenario = switchingScenario(startOnA);
    scenario.applications.push_back(RunningApplication{97, std::string("com.apple.dock"), "Dock"});
    scenario.dockProcessIdentifier = 97;
    return scenario;
}

// The program's wiring: the machine's mouse as the host's, the host's displays on the
// machine's first screen, the status item mirrored there.
class StatusMenuWorld {
public:
    explicit StatusMenuWorld(SpaceID startOnA) : world(withDock(startOnA), ownShell()) {
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        MachineScreen::of(world.host)
            .setArea(Rect{static_cast<double>(area.x()), static_cast<double>(area.y()),
                          static_cast<double>(area.width()), static_cast<double>(area.height())});
        world.host.windowServer().setCurrentSpace("UUID-B", 202);
        world.grid().setBlocksAtEdges(true, DisplaySettingsScope::global());
        world.d().menuBarController().setup();
        world.d().refreshSpaceInfo();
        mirror.emplace(world.host.statusBar());
        world.queue.runUntilIdle();
    }
    ~StatusMenuWorld() {
        if (QWidget* popup = QApplication::activePopupWidget()) {
            popup->close();
        }
    }

    // Clicks the stand-in; the menu opens and takes the menu-bar display's state.
    QMenu* openMenu() {
        QWidget* standIn = nullptr;
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (StatusBarMirror::isMirrorWindow(*window) && window->isVisible()) {
                standIn = window;
            }
        }
        if (standIn == nullptr) {
            ADD_FAILURE() << "no stand-in shows";
            return nullptr;
        }
        QTest::mouseClick(standIn, Qt::LeftButton, {}, standIn->rect().center());
        world.queue.advance(MenuBarController::menuOpenRefreshDelay * 2);
        return qobject_cast<QMenu*>(QApplication::activePopupWidget());
    }
    static QAction* item(QMenu& menu, const std::string& title) {
        for (QAction* action : menu.actions()) {
            if (action->text().toStdString().rfind(title, 0) == 0) {
                return action;
            }
        }
        ADD_FAILURE() << "no item " << title;
        return nullptr;
    }
    void click(QMenu& menu, QAction& action) {
        const QPoint at = menu.actionGeometry(&action).center();
        QTest::mouseMove(&menu, at);
        QTest::mouseClick(&menu, Qt::LeftButton, {}, at);
        world.queue.runUntilIdle();
        world.settle();
    }

    struct ApplicationReady {
        ApplicationReady() { testing::ensureApplication(); }
    } applicationReady;
    World world;
    MachineInputSession session{world.host.events()};
    MachineMouseFeed feed{session, world.host};
    std::optional<StatusBarMirror> mirror;
};

struct SwitchCase {
    const char* name;
    SpaceID startOnA;
    const char* item;
    std::optional<SpaceID> expected; // none: greyed, and a switch would not move
};

// A row reads as its name in the test list, not as its bytes.
void PrintTo(const SwitchCase& row, std::ostream* out) {
    *out << row.name;
}

// What an item does when chosen.
void (MenuBarController::*actionOf(const std::string& item))() {
    if (item == "Switch Left") {
        return &MenuBarController::switchLeft;
    }
    if (item == "Switch Right") {
        return &MenuBarController::switchRight;
    }
    return item == "Switch Up" ? &MenuBarController::switchUp : &MenuBarController::switchDown;
}

class StatusMenuTest : public ::testing::TestWithParam<SwitchCase> {};

TEST_P(StatusMenuTest, AnEnabledSwitchItemSwitchesTheMenuBarDisplayAndAGreyedOneWouldNot) {
    const SwitchCase& c = GetParam();
    StatusMenuWorld status(c.startOnA);
    QMenu* menu = status.openMenu();
    ASSERT_NE(menu, nullptr);
    QAction* action = StatusMenuWorld::item(*menu, c.item);
    ASSERT_NE(action, nullptr);
    EXPECT_EQ(action->isEnabled(), c.expected.has_value());
    if (c.expected) {
        status.click(*menu, *action);
    } else {
        // Greyed, so not to be clicked; its action taken all the same, with the pointer where
        // the click left it, moves nothing.
        (status.world.d().menuBarController().*actionOf(c.item))();
        status.world.settle();
    }
    EXPECT_EQ(status.world.current("UUID-A"), c.expected.value_or(c.startOnA));
    EXPECT_EQ(status.world.current("UUID-B"), 202u) << "the display the menu does not show";
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, StatusMenuTest, ::testing::Values(
    SwitchCase{"FirstLeft", 101, "Switch Left", std::nullopt},
    SwitchCase{"FirstRight", 101, "Switch Right", 102},
    SwitchCase{"FirstUp", 101, "Switch Up", std::nullopt},
    SwitchCase{"FirstDown", 101, "Switch Down", 104},
    SwitchCase{"RowEndLeft", 103, "Switch Left", 102},
    SwitchCase{"RowEndRight", 103, "Switch Right", std::nullopt},
    SwitchCase{"RowEndDown", 103, "Switch Down", 106},
    SwitchCase{"MiddleLeft", 105, "Switch Left", 104},
    SwitchCase{"MiddleRight", 105, "Switch Right", 106},
    SwitchCase{"MiddleUp", 105, "Switch Up", 102},
    SwitchCase{"MiddleDown", 105, "Switch Down", 108},
    SwitchCase{"LastLeft", 108, "Switch Left", 107},
    SwitchCase{"LastRight", 108, "Switch Right", std::nullopt},
    SwitchCase{"LastUp", 108, "Switch Up", 105},
    SwitchCase{"LastDown", 108, "Switch Down", std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST(StatusMenuAddDesktopTest, AddsADesktopToTheMenuBarDisplay) {
    StatusMenuWorld status(101);
    const auto countOn = [&](const char* list) {
        const auto spaces = status.world.host.windowServer().spaceList(list);
        return spaces ? spaces->spaces.size() : std::size_t{0};
    };
    const auto onA = countOn("UUID-A");
    const auto onB = countOn("UUID-B");
    QMenu* menu = status.openMenu();
    ASSERT_NE(menu, nullptr);
    QAction* add = StatusMenuWorld::item(*menu, "Add Desktop");
    ASSERT_NE(add, nullptr);
    status.click(*menu, *add);
    status.world.queue.advance(5); // Mission Control opens, adds and closes
    EXPECT_EQ(countOn("UUID-A"), onA + 1);
    EXPECT_EQ(countOn("UUID-B"), onB);
}

} // namespace
} // namespace tessarin
