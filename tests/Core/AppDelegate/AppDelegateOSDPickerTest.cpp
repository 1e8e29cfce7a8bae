#include "Core/Fakes/PresentationWorld.h"
#include "Platform/Preferences/PropertyValue.h"
#include "Platform/Preferences/UserDefaults.h"

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
        EXPECT_EQ(w.window->currentGridModel("UUID-B")->spaceCount(), shared ? 4 : 4);
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
