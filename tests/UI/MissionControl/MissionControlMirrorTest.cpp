#include "UI/MissionControl/MissionControlMirror.h"

#include "Core/AppDelegate/ProgramActivationFeed.h"
#include "Core/Fakes/PresentationWorld.h"
#include "Platform/Program/ProgramActivation.h"
#include "Platform/StatusBar/Menu.h"
#include "Platform/StatusBar/MenuItem.h"
#include "Platform/StatusBar/StatusBar.h"
#include "Platform/StatusBar/StatusItem.h"
#include "Platform/SystemServices.h"
#include "UI/MenuBar/MenuBarController.h"
#include "UI/MenuBar/ProgramHiding.h"
#include "UI/MissionControl/MissionControlSpaceTile.h"
#include "UI/MissionControl/MissionControlWindow.h"
#include "UI/OSD/OSDGridWindowParts.h"
#include "UI/Preferences/Kit/SettingsPageLayout.h"
#include "UI/Preferences/PreferencesTestSupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>

namespace tessarin {
namespace {

constexpr DisplayID kDisplayA = 1;
constexpr DisplayID kDisplayB = 2;

// The program with its real picker, and the host's Mission Control mirrored on the desktop as
// the program mirrors it when it has a display.
class MissionControlMirrorTest : public ::testing::Test {
protected:
    MissionControlMirrorTest() { testing::ensureWidgetApplication(); }
    ~MissionControlMirrorTest() override {
        host().missionControl().close();
        testing::flushDeferredDeletes();
    }

    Host& host() { return w.world.host; }
    fakes::World& world() { return w.world; }

    // The picker from the status menu's "Show Grid", as a person opens it.
    void openPicker() {
        w.d().menuBarController().setup();
        const auto& entries = host().statusBar().items().at(0)->menu()->items();
        const auto showGrid = std::find_if(entries.begin(), entries.end(), [](const auto& entry) {
            return entry->title() == "Show Grid";
        });
        ASSERT_NE(showGrid, entries.end());
        (*showGrid)->perform();
        world().settle();
        ASSERT_TRUE(w.window->isGridVisible("UUID-A"));
    }
    // "Mission Control" in the picker's footer, clicked; Mission Control opens after its delay.
    MissionControlWindow* openMissionControlFromThePicker() {
        openPicker();
        auto* button = w.window->gridWindow()->findChild<QAbstractButton*>(
            OSDGridWindowParts::missionControlButtonName);
        EXPECT_NE(button, nullptr);
        if (button == nullptr) {
            return nullptr;
        }
        EXPECT_TRUE(button->isVisible());
        QTest::mouseClick(button, Qt::LeftButton);
        world().queue.advance(host().missionControl().openingDelay());
        world().queue.runUntilIdle();
        return shownView(kDisplayA);
    }
    MissionControlWindow* shownView(DisplayID display) {
        MissionControlWindow* view = mirror.window(display);
        return view != nullptr && view->isVisible() ? view : nullptr;
    }
    static MissionControlSpaceTile* tile(QWidget& view, int position) {
        return view.findChild<MissionControlSpaceTile*>(MissionControlWindow::tileName(position));
    }
    static QString name(QWidget& view, int position) {
        auto* label = view.findChild<QLabel*>(MissionControlWindow::nameLabelName(position));
        return label != nullptr ? label->text() : QString();
    }
    // Waits out the Dock's animation and the mirror's turn.
    void settle() {
        world().settle();
        QCoreApplication::processEvents();
    }

    fakes::PresentationWorld w;
    MissionControlMirror mirror{host().missionControl()};
};

TEST_F(MissionControlMirrorTest,
       thePickersButtonShowsTheDisplaysSpacesFullScreenAndAClickGoesThere) {
    MissionControlWindow* view = openMissionControlFromThePicker();
    ASSERT_NE(view, nullptr);
    EXPECT_FALSE(w.window->isGridVisible("UUID-A")) << "the picker made way";
    EXPECT_EQ(view->geometry(), QRect(0, 0, 1440, 900)) << "the display's frame";
    ASSERT_NE(shownView(kDisplayB), nullptr);
    // Offscreen, Qt moves a window taller than its screen on its own; the size and the left
    // edge are still the host's.
    EXPECT_EQ(shownView(kDisplayB)->size(), QSize(1920, 1080));
    EXPECT_EQ(shownView(kDisplayB)->x(), 1440);
    // Display A's eight Spaces in a strip, named, the current one marked, each with a picture.
    for (int position = 1; position <= 8; ++position) {
        SCOPED_TRACE(position);
        MissionControlSpaceTile* shown = tile(*view, position);
        ASSERT_NE(shown, nullptr);
        EXPECT_TRUE(shown->isVisible());
        EXPECT_EQ(shown->isCurrent(), position == 1);
        EXPECT_FALSE(shown->picture().isNull());
        EXPECT_EQ(name(*view, position), QStringLiteral("Desktop %1").arg(position));
        EXPECT_TRUE(view->layout().strip.contains(shown->geometry()));
    }
    EXPECT_EQ(tile(*view, 9), nullptr);
    EXPECT_EQ(tile(*shownView(kDisplayB), 5), nullptr);
    EXPECT_NE(tile(*shownView(kDisplayB), 4), nullptr);

    QTest::mouseClick(tile(*view, 2), Qt::LeftButton);
    EXPECT_FALSE(host().missionControl().isOpen());
    settle();
    EXPECT_EQ(world().current(), 102u);
    EXPECT_EQ(world().current("UUID-B"), 201u);
    EXPECT_EQ(shownView(kDisplayA), nullptr);
    EXPECT_EQ(shownView(kDisplayB), nullptr);
    EXPECT_EQ(world().beeps(), 0);
}

TEST_F(MissionControlMirrorTest, escapeOrAClickOutsideTheStripLeavesWithoutSwitching) {
    const std::pair<const char*, std::function<void(MissionControlWindow&)>> leavers[] = {
        {"Escape", [](MissionControlWindow& view) { QTest::keyClick(&view, Qt::Key_Escape); }},
        {"a click on the desktop below",
         [](MissionControlWindow& view) {
             QTest::mouseClick(&view, Qt::LeftButton, {}, view.layout().desktop.center());
         }},
        {"a click in a corner",
         [](MissionControlWindow& view) {
             QTest::mouseClick(&view, Qt::LeftButton, {}, QPoint(5, view.height() - 5));
         }},
        {"a click beside the strip",
         [](MissionControlWindow& view) {
             QTest::mouseClick(&view, Qt::LeftButton, {},
                               QPoint(view.layout().strip.left() - 5, 40));
         }},
    };
    for (const auto& [how, leave] : leavers) {
        SCOPED_TRACE(how);
        MissionControlWindow* view = openMissionControlFromThePicker();
        ASSERT_NE(view, nullptr);
        leave(*view);
        EXPECT_FALSE(host().missionControl().isOpen());
        settle();
        EXPECT_EQ(shownView(kDisplayA), nullptr);
        EXPECT_EQ(world().current(), 101u);
        EXPECT_TRUE(host().dock().spaceChanges().empty());
    }
}

TEST_F(MissionControlMirrorTest, aClickInTheStripBetweenPicturesStays) {
    MissionControlWindow* view = openMissionControlFromThePicker();
    ASSERT_NE(view, nullptr);
    const QRect first = tile(*view, 1)->geometry();
    QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(first.right() + 8, first.center().y()));
    QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(first.center().x(), first.bottom() + 10));
    settle();
    EXPECT_TRUE(host().missionControl().isOpen());
    EXPECT_EQ(shownView(kDisplayA), view);
}

TEST_F(MissionControlMirrorTest, itFollowsTheSpacesAndTheAppearanceWhileItShows) {
    host().system().setAppearance(Appearance::dark);
    MissionControlWindow* view = openMissionControlFromThePicker();
    ASSERT_NE(view, nullptr);
    const QPoint corner(4, view->height() - 4);
    EXPECT_EQ(view->grab().toImage().pixelColor(corner), QColor(28, 28, 30));
    host().system().setAppearance(Appearance::light);
    world().queue.runUntilIdle();
    EXPECT_EQ(view->grab().toImage().pixelColor(corner), QColor(226, 226, 231));
    auto* label = view->findChild<QLabel*>(MissionControlWindow::nameLabelName(2));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(SettingsPageLayout::textColor(*label),
              SettingsPageLayout::resolvedColor(SettingsSystemColor::label, Appearance::light));

    host().windowServer().addSpace("UUID-A");
    world().queue.runUntilIdle();
    ASSERT_NE(tile(*view, 9), nullptr);
    EXPECT_EQ(name(*view, 9), "Desktop 9");
}

TEST_F(MissionControlMirrorTest,
       itIsTheHostsWindowHidingTheProgramLeavesItAndItsFocusIsNotTheProgram) {
    ProgramActivationFeed feed(host().programActivation());
    MissionControlWindow* view = openMissionControlFromThePicker();
    ASSERT_NE(view, nullptr);
    QCoreApplication::processEvents();
    EXPECT_EQ(QGuiApplication::focusWindow(), view->windowHandle()) << "it takes the keys";
    EXPECT_FALSE(host().programActivation().isActive());
    ProgramHiding hiding;
    hiding.hide();
    EXPECT_TRUE(view->isVisible());
}

// With a view on each display, the keys go to the one under the pointer, whichever display that
// is, so Escape there leaves at once.
TEST_F(MissionControlMirrorTest, theViewOfTheDisplayUnderThePointerGetsTheKeys) {
    for (const auto& [display, point] :
         {std::pair{kDisplayB, Point{1440 + 300, 200}}, std::pair{kDisplayA, Point{300, 200}}}) {
        SCOPED_TRACE(display);
        host().displays().setCursorLocation(point);
        w.d().menuBarController().setup();
        const auto& entries = host().statusBar().items().at(0)->menu()->items();
        const auto item = std::find_if(entries.begin(), entries.end(), [](const auto& entry) {
            return entry->title() == "Mission Control";
        });
        ASSERT_NE(item, entries.end());
        (*item)->perform();
        world().queue.advance(host().missionControl().openingDelay());
        world().queue.runUntilIdle();
        QCoreApplication::processEvents(); // the windowing system's activation
        ASSERT_NE(shownView(kDisplayA), nullptr);
        ASSERT_NE(shownView(kDisplayB), nullptr);
        EXPECT_EQ(QApplication::activeWindow(), shownView(display));
        host().missionControl().close();
        settle();
    }
}

TEST_F(MissionControlMirrorTest, theMenusMissionControlItemOpensTheSameView) {
    w.d().menuBarController().setup();
    const auto& entries = host().statusBar().items().at(0)->menu()->items();
    const auto item = std::find_if(entries.begin(), entries.end(), [](const auto& entry) {
        return entry->title() == "Mission Control";
    });
    ASSERT_NE(item, entries.end());
    (*item)->perform();
    world().queue.advance(host().missionControl().openingDelay());
    world().queue.runUntilIdle();
    ASSERT_NE(shownView(kDisplayA), nullptr);
    EXPECT_TRUE(tile(*shownView(kDisplayA), 1)->isCurrent());
}

} // namespace
} // namespace tessarin
