// Where the status item's stand-in stands: over the image of the display that has the menu bar,
// as the host's status item lies in that display's menu bar.

#include "Platform/DisplayServer.h"
#include "Platform/Host.h"
#include "Platform/MachineInput/MachinePointer.h"
#include "Platform/MachineScreen.h"
#include "Platform/Scenario.h"
#include "Support/VirtualMainQueue.h"
#include "UI/MenuBar/MenuBarController.h"
#include "UI/MenuBar/StatusBarMirror.h"
#include "UI/OSD/OSDGridViewTestSupport.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <gtest/gtest.h>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace tessarin {
namespace {

constexpr DisplayID kBuiltIn = 1;
constexpr DisplayID kStudio = 3;

QWidget* standIn() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (StatusBarMirror::isMirrorWindow(*window) && window->isVisible()) {
            return window;
        }
    }
    return nullptr;
}

Rect boundsOf(Host& host, DisplayID display) {
    for (const Screen& shown : host.displays().screens()) {
        if (shown.displayID == display) {
            return host.displays().toWindowServer(shown.frame);
        }
    }
    ADD_FAILURE() << "no display " << display;
    return {};
}

struct PlaceCase {
    std::string name;
    DisplayID menuBarDisplay;
};

// A row reads as its name in the test list, not as its bytes.
void PrintTo(const PlaceCase& row, std::ostream* out) {
    *out << row.name;
}

class StatusMenuPlaceTest : public ::testing::TestWithParam<PlaceCase> {};

TEST_P(StatusMenuPlaceTest, TheStandInStandsAtTheTopRightOfTheMenuBarDisplaysImage) {
    testing::ensureApplication();
    VirtualMainQueue queue;
    ScopedMainQueue scopedQueue{queue};
    Scenario scenario = Scenario::defaultScenario();
    scenario.activeMenuBarDisplay = GetParam().menuBarDisplay;
    Host host{scenario, queue};
    ScopedCurrentHost currentHost{host};
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    MachineScreen& screen = MachineScreen::of(host);
    screen.setArea(Rect{static_cast<double>(area.x()), static_cast<double>(area.y()),
                        static_cast<double>(area.width()), static_cast<double>(area.height())});
    StatusBarMirror mirror(host.statusBar());
    MenuBarController controller;
    controller.setup();
    queue.runUntilIdle();

    const QWidget* window = standIn();
    ASSERT_NE(window, nullptr);
    const QRect frame = window->frameGeometry();
    const auto centre =
        screen.windowServerPointAt({frame.center().x() + 0.5, frame.center().y() + 0.5});
    ASSERT_TRUE(centre);
    EXPECT_EQ(host.displays().displaysWithPoint(*centre),
              std::vector<DisplayID>{GetParam().menuBarDisplay});
    // At the image's top right: nothing of the display lies right of it but the margin.
    const Rect image = screen.placement().toMachine(boundsOf(host, GetParam().menuBarDisplay));
    EXPECT_NEAR(frame.right() + 1, image.maxX() - 8, 1);
    EXPECT_NEAR(frame.top(), image.minY() + 8, 1);
}

INSTANTIATE_TEST_SUITE_P(Cases, StatusMenuPlaceTest,
                         ::testing::Values(PlaceCase{"TheFirstDisplayHasTheMenuBar", kBuiltIn},
                                           PlaceCase{"TheSecondDisplayHasTheMenuBar", kStudio}),
                         [](const auto& info) { return info.param.name; });

// The pointer over the stand-in or over the menu it opens lies on the host's status item.
TEST(StatusMenuMarkTest, TheStandInAndItsMenuAreTheHostsMenuBar) {
    testing::ensureApplication();
    VirtualMainQueue queue;
    ScopedMainQueue scopedQueue{queue};
    Host host{Scenario::defaultScenario(), queue};
    ScopedCurrentHost currentHost{host};
    StatusBarMirror mirror(host.statusBar());
    MenuBarController controller;
    controller.setup();
    queue.runUntilIdle();

    const QWidget* window = standIn();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(isHostMenuBar(window));
    std::vector<const QMenu*> menus;
    for (QWidget* shown : QApplication::topLevelWidgets()) {
        if (const auto* menu = qobject_cast<const QMenu*>(shown); menu && !menu->parent()) {
            menus.push_back(menu);
        }
    }
    ASSERT_FALSE(menus.empty());
    EXPECT_TRUE(std::ranges::all_of(menus, [](const QMenu* menu) { return isHostMenuBar(menu); }));
}

} // namespace
} // namespace tessarin
