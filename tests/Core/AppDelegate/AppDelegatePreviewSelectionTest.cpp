#include "Core/Fakes/PresentationWorld.h"
#include "Platform/Preferences/PropertyValue.h"
#include "Platform/Preferences/UserDefaults.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

using fakes::PresentationWorld;
using Key = OSDGridKeyboardSelectionDirection;

TEST(AppDelegatePreviewSelection, indexesOffTheGridBeepAndKeepTheChoice) {
    PresentationWorld w;
    w.d().showOSDSpacePickerOnCursorDisplay(nullptr);
    const auto before = w.d().gridOSDPreviewSession;
    for (const int64_t index : {int64_t{-1}, int64_t{1} << 33}) {
        w.d().performOSDPickerSelection(index);
        w.d().performTrackpadAfterTapSelection(index);
    }
    EXPECT_EQ(w.world.beeps(), 4);
    EXPECT_EQ(w.d().gridOSDPreviewSession, before);
    w.d().performOSDPickerSelection(99); // past the layout: the last cell
    w.world.settle();
    EXPECT_EQ(w.world.current(), 108u);
}

TEST(AppDelegatePreviewSelection, aPickerSwitchWhosePostFailsBeepsAndKeepsTheChosenCell) {
    PresentationWorld w;
    w.d().showOSDSpacePickerOnCursorDisplay(nullptr);
    w.world.host.calls().postEvent = nullptr;
    w.context("UUID-A").onSelect(2);
    w.world.settle();
    EXPECT_EQ(w.world.beeps(), 1);
    EXPECT_EQ(w.world.current(), 101u);
    ASSERT_TRUE(w.d().gridOSDPreviewSession);
    EXPECT_EQ(w.d().gridOSDPreviewSession->selectedVisualIndex, 2);
}

TEST(AppDelegatePreviewSelection, aClickInAHeldPreviewSwitchesOrReshowsAPlaceholderCell) {
    PresentationWorld w;
    ASSERT_TRUE(w.d().persistVisualReorder(2, 8, std::string("UUID-A"),
                                           OSDGridRearrangementBehavior::swap));
    const auto held = OSDDismissalBehavior::untilModifiersReleased(0);
    w.d().currentGridOSDDisplayIdentifier = "UUID-A";
    w.d().performMouseSelection(2, held); // the placeholder left by Space 103
    EXPECT_EQ(w.world.gestures(), 0u);
    w.d().performMouseSelection(8, held);
    w.world.settle();
    EXPECT_EQ(w.world.current(), 103u);
    EXPECT_EQ(w.shownActive("UUID-A"), 8);
}

TEST(AppDelegatePreviewSelection, aClickWithoutAReadableLayoutBeepsAndSwitchesNothing) {
    PresentationWorld w;
    w.d().showOSDSpacePickerOnCursorDisplay(nullptr);
    w.d().currentGridOSDDisplayIdentifier = "UUID-X"; // unplugged
    w.d().performMouseSelection(3, OSDDismissalBehavior::untilModifiersReleased(0));
    EXPECT_EQ(w.world.beeps(), 1);
    EXPECT_TRUE(w.window->isGridVisible("UUID-A")) << "no post, so nothing hid the grids";
    w.d().performOSDPickerMouseSelection(3, std::string("UUID-X")); // closes silently
    w.world.settle();
    EXPECT_EQ(w.world.beeps(), 1);
    EXPECT_FALSE(w.window->isGridVisible("UUID-A"));
}

TEST(AppDelegatePreviewSelection, anAfterTapKeyMoveRedrawsAndRefreshesPreviewsLater) {
    PresentationWorld w;
    ASSERT_TRUE(w.d().previewDeferredTrackpadSwipe(TessarinDirectionRight,
                                                   GridOSDPreviewSessionMode::trackpadAfterTap()));
    auto& previews = w.world.seams.windowPreviews->calls;
    previews.clear();
    EXPECT_TRUE(w.context("UUID-A").onKeyboardMove(Key::right));
    EXPECT_EQ(w.shownActive("UUID-A"), 2);
    w.world.queue.advance(1.2);
    EXPECT_TRUE(previews.empty());
    w.world.queue.advance(0.1);
    EXPECT_EQ(previews.size(), 1u);
    // With the OSD off the move is kept but not drawn; Select commits it.
    w.world.host.defaults().set("showOSD", PropertyValue(false));
    EXPECT_FALSE(w.d().performTrackpadAfterTapKeyboardMove(Key::down));
    ASSERT_EQ(w.d().gridOSDPreviewSession->selectedVisualIndex, 5);
    w.d().performTrackpadAfterTapSelection(5);
    w.world.settle();
    EXPECT_EQ(w.world.current(), 106u);
}

} // namespace
} // namespace tessarin
