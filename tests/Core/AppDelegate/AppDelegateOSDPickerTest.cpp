#include "Core/AppDelegate/ProgramActivationFeed.h"
#include "Core/Fakes/PresentationWorld.h"
#include "Platform/Preferences/PropertyValue.h"
#include "Platform/Preferences/UserDefaults.h"
#include "Platform/Program/ProgramActivation.h"
#include "Platform/StatusBar/Menu.h"
#include "Platform/StatusBar/MenuItem.h"
#include "Platform/StatusBar/StatusBar.h"
#include "Platform/StatusBar/StatusItem.h"
#include "UI/MenuBar/MenuBarController.h"

#include <QGuiApplication>
#include <QTest>
#include <gtest/gtest.h>

namespace tessarin {
namespace {

using fakes::PresentationWorld;
using Key = OSDGridKeyboardSelectionDirection;

TEST(AppDelegateOSDPicker, opensOnThePointersDisplayMovesWithKeysAndSwitchesOnSelect) {
    PresentationWorld w;
    w.world.host.defaults().set("showOSD", PropertyValue(false)); // the picker shows anyway
    w.d().toggleOSDSpacePicker(nullptr);
    ASSERT_TRUE(w.d().gridOSDPreviewSession);
    EXPECT_EQ(w.d().gridOSDPreviewSession->settingsDisplayIdentifier, "UUID-A");
    EXPECT_EQ(w.shownActive("UUID-A"), 0);
    EXPECT_FALSE(w.window->isGridVisible("UUID-B"));
    EXPECT_TRUE(w.context("UUID-A").onKeyboardMove(Key::right));
    EXPECT_EQ(w.shownActive("UUID-A"), 1);
    w.context("UUID-A").onSelect(1);
    w.world.settle();
    EXPECT_EQ(w.world.current(), 102u);
    EXPECT_FALSE(w.d().gridOSDPreviewSession);
    EXPECT_EQ(w.world.beeps(), 0);
}

// Making the panel key activates the program in Qt; that is not the program's own activation,
// which cancels a pending picker. A window of the program focused afterwards is.
TEST(AppDelegateOSDPicker, aPickerFromTheStatusMenuWhileAnotherProgramIsFrontStaysAndTakesKeys) {
    PresentationWorld w;
    QCoreApplication::processEvents();
    ASSERT_EQ(QGuiApplication::focusWindow(), nullptr);
    const ProgramActivation& activation = w.world.host.programActivation();
    ProgramActivationFeed feed(w.world.host.programActivation());
    w.d().observeProgramActivation();
    EXPECT_FALSE(activation.isActive()) << "no window of the program has the keys";
    w.d().menuBarController().setup();
    const auto& entries = w.world.host.statusBar().items().at(0)->menu()->items();
    const auto showGrid = std::find_if(entries.begin(), entries.end(), [](const auto& entry) {
        return entry->title() == "Show Grid";
    });
    ASSERT_NE(showGrid, entries.end());
    (*showGrid)->perform();
    QCoreApplication::processEvents();
    w.world.settle();
    ASSERT_EQ(QGuiApplication::focusWindow(), w.window->gridWindow()->windowHandle());
    ASSERT_EQ(QGuiApplication::applicationState(), Qt::ApplicationActive);
    EXPECT_FALSE(activation.isActive());
    ASSERT_TRUE(w.d().gridOSDPreviewSession);
    QTest::keyClick(w.window->gridWindow(), Qt::Key_Right);
    EXPECT_EQ(w.shownActive("UUID-A"), 1);

    QWidget preferences;
    preferences.show();
    preferences.activateWindow();
    QCoreApplication::processEvents();
    w.world.settle();
    EXPECT_TRUE(activation.isActive());
    EXPECT_FALSE(w.d().gridOSDPreviewSession);
    // Another program comes to the front.
    Q_EMIT qGuiApp->applicationStateChanged(Qt::ApplicationInactive);
    EXPECT_FALSE(activation.isActive());
}

TEST(AppDelegateOSDPicker, theCurrentCellEscapeAndTheToggleCloseWithoutSwitching) {
    const std::function<void(PresentationWorld&)> closers[] = {
        [](auto& w) { w.context("UUID-A").onSelect(0); },
        [](auto& w) { w.context("UUID-A").onCancel(); },
        [](auto& w) { w.d().toggleOSDSpacePicker(nullptr); },
    };
    for (const auto& close : closers) {
        PresentationWorld w;
        w.d().showOSDSpacePickerOnCursorDisplay(nullptr);
        close(w);
        w.world.settle();
        EXPECT_FALSE(w.window->isGridVisible("UUID-A"));
        EXPECT_FALSE(w.d().gridOSDPreviewSession || w.d().currentGridOSDDisplayIdentifier);
        EXPECT_EQ(w.world.gestures(), 0u);
    }
}

TEST(AppDelegateOSDPicker, onAllScreensAClickInAnotherDisplaysGridSwitchesThatDisplay) {
    for (const bool shared : {false, true}) {
        SCOPED_TRACE(shared ? "shared" : "separate");
        PresentationWorld w(fakes::switchingScenario(101, shared));
        w.world.grid().globalShowOSDSpacePickerOnAllScreens = true;
        w.d().toggleOSDSpacePicker(nullptr);
        ASSERT_TRUE(w.d().gridOSDPreviewSession);
        EXPECT_EQ(w.d().gridOSDPreviewSession->placementDisplayIdentifier, "UUID-A");
        EXPECT_EQ(w.window->visibleGridDisplayIdentifiers(),
                  (std::vector<std::optional<std::string>>{"UUID-A", "UUID-B"}));
        EXPECT_EQ(w.window->currentGridModel("UUID-B")->spaceCount(), 4);
        EXPECT_EQ(w.d().gridOSDPreviewSession->slotCount(), shared ? 4 : 8);
        EXPECT_FALSE(w.context("UUID-B").onKeyboardMove(Key::right));
        w.context("UUID-B").onSelect(2);
        w.world.settle();
        EXPECT_EQ(w.world.current(shared ? "Main" : "UUID-B"), shared ? 3u : 203u);
        EXPECT_FALSE(w.d().gridOSDPreviewSession);
    }
}

TEST(AppDelegateOSDPicker, refusalsShowNothingAndOnlyAMissingAccessSparesTheBeep) {
    const std::pair<std::function<void(PresentationWorld&)>, int> cases[] = {
        {[](auto& w) { w.world.grid().isEnabled.set(false); }, 1},
        {[](auto& w) {
             w.world.host.displays().setMouseLocation({-5000, -5000});
         },
         1},
        {[](auto& w) { w.world.host.system().setProcessTrusted(false); }, 0},
    };
    for (const auto& [arrange, beeps] : cases) {
        for (const bool allScreens : {false, true}) {
            PresentationWorld w;
            arrange(w);
            allScreens ? w.d().showOSDSpacePickerOnAllScreens(nullptr)
                       : w.d().showOSDSpacePickerOnCursorDisplay(nullptr);
            EXPECT_TRUE(w.window->visibleGridDisplayIdentifiers().empty());
            EXPECT_EQ(w.world.beeps(), beeps);
        }
    }
}

} // namespace
} // namespace tessarin
