#include "Core/Fakes/DelegateWiredPresentation.h"
#include "Platform/Preferences/PropertyValue.h"
#include "Platform/Preferences/UserDefaults.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

using fakes::PresentationWorld;
using Key = OSDGridKeyboardSelectionDirection;

TEST(AppDelegatePreviewSelection, badPickerIndexesBeepAndKeepTheChoice) {
    PresentationWorld w;
    w.d().showOSDSpacePickerOnCursorDisplay(nullptr);
    const auto before = w.d().gridOSDPreviewSession;
    for (const int64_t index : {int64_t{-1}, int64_t{1} << 33}) {
        w.d().performOSDPickerSelection(index);
        w.d().performTrackpadAfterTapSelection(index);
    }
    EXPECT_EQ(w.world.beeps(), 4);
    EXPECT_EQ(w.d().gridOSDPreviewSession, before);
    // Past the layout selects the last cell.
    w.d().performOSDPickerSelection(99);
    w.world.settle();
    EXPECT_EQ(w.world.current(), 108u);
}

TEST(AppDelegatePreviewSelection, aClickInAHeldPreviewSwitchesOrReshowsAPlaceholderCell) {
    PresentationWorld w;
    w.world.grid().setUsePlaceholders(true, DisplaySettingsScope::display("UUID-A"));
    const auto layout = w.d().resolveDisplaySpaceOrderSnapshotWithDescriptors("UUID-A");
    ASSERT_TRUE(layout);
    ASSERT_TRUE(w.d().spaceOrderStore.moveVisualOrder(
        2, 8, OSDGridRearrangementBehavior::swap, "UUID-A",
        layout->displaySnapshot.systemOrderedSpaceIDs, 101, true, 12, 8));
    const auto held = OSDDismissalBehavior::untilModifiersReleased(0);
    w.d().currentGridOSDDisplayIdentifier = "UUID-A";
    w.d().performMouseSelection(2, held); // the placeholder cell
    EXPECT_EQ(w.world.gestures(), 0u);
    ASSERT_EQ(w.presentation->showOSDCalls.size(), 1u);
    EXPECT_EQ(w.presentation->showOSDCalls[0].targetIndex, 2u);
    w.d().performMouseSelection(8, held); // Space 103, moved past the end
    w.world.settle();
    EXPECT_EQ(w.world.current(), 103u);
    ASSERT_EQ(w.presentation->showOSDCalls.size(), 2u);
    EXPECT_EQ(w.presentation->showOSDCalls[1].targetIndex, 8u);
}

TEST(AppDelegatePreviewSelection, aClickWithoutAReadableLayoutBeepsAndSwitchesNothing) {
    // An unplugged display: its cell index cannot be turned into a system index.
    PresentationWorld w;
    w.d().currentGridOSDDisplayIdentifier = "UUID-X";
    w.d().performMouseSelection(3, OSDDismissalBehavior::untilModifiersReleased(0));
    w.world.settle();
    EXPECT_EQ(w.world.beeps(), 1);
    EXPECT_TRUE(w.window->calls.empty()) << "nothing was posted, so no grid was hidden for it";
    EXPECT_TRUE(w.presentation->showOSDCalls.empty());
    // A picker click on it closes silently.
    w.d().performOSDPickerMouseSelection(3, std::string("UUID-X"));
    EXPECT_EQ(w.world.beeps(), 1);
}

TEST(AppDelegatePreviewSelection, anAfterTapKeyMoveRedrawsAndRefreshesPreviewsLater) {
    PresentationWorld w;
    ASSERT_TRUE(w.d().previewDeferredTrackpadSwipe(TessarinDirectionRight,
                                                   GridOSDPreviewSessionMode::trackpadAfterTap()));
    w.world.seams.windowPreviews->calls.clear();
    EXPECT_TRUE(w.context("UUID-A").onKeyboardMove(Key::right));
    EXPECT_EQ(w.window->currentGridModel("UUID-A")->activeIndex(), 2);
    w.world.queue.advance(1.2);
    EXPECT_TRUE(w.world.seams.windowPreviews->calls.empty());
    w.world.queue.advance(0.1);
    EXPECT_EQ(w.world.seams.windowPreviews->calls.size(), 1u);

    // With the OSD off the move is kept but not drawn; Select commits it.
    w.world.host.defaults().set("showOSD", PropertyValue(false));
    EXPECT_FALSE(w.d().performTrackpadAfterTapKeyboardMove(Key::down));
    ASSERT_TRUE(w.d().gridOSDPreviewSession);
    EXPECT_EQ(w.d().gridOSDPreviewSession->selectedVisualIndex, 5);
    w.d().performTrackpadAfterTapSelection(w.d().gridOSDPreviewSession->selectedVisualIndex);
    w.world.settle();
    EXPECT_EQ(w.world.current(), 106u);
}

} // namespace
} // namespace tessarin
