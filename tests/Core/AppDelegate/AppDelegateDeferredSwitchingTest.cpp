#include "Core/Fakes/SwitchingWorld.h"
#include "Core/Settings/DisplaySettingsScope.h"
#include "Hotkeys/HotkeyCombination.h"
#include "Platform/Input/Event.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

using fakes::SwitchingWorld;

// Control-Option-Right, as a hotkey (Carbon modifiers).
HotkeyCombination controlOptionArrow() {
    HotkeyCombination combination;
    combination.keyCode = 124;
    combination.modifiers = HotkeyModifier::control | HotkeyModifier::option;
    return combination;
}

const GridOSDPreviewSessionMode kAfterDelay =
    GridOSDPreviewSessionMode::deferredHotkey(OSDDismissalBehavior::manual());
const GridOSDPreviewSessionMode kAfterTap = GridOSDPreviewSessionMode::trackpadAfterTap();

// ---------------------------------------------------------------- Switch on modifier release

TEST(AppDelegateDeferredSwitching, aHeldHotkeyPreviewsInsteadOfSwitching) {
    SwitchingWorld world;
    world.delegate->performSpaceSwitch(TessarinDirectionRight, std::nullopt, controlOptionArrow());
    world.delegate->performSpaceSwitch(TessarinDirectionDown, std::nullopt, controlOptionArrow());
    world.settle();

    EXPECT_EQ(world.gestures(), 0u);
    EXPECT_EQ(world.current(), 101u);
    ASSERT_TRUE(world.delegate->gridOSDPreviewSession);
    const GridOSDPreviewSession& session = *world.delegate->gridOSDPreviewSession;
    EXPECT_EQ(session.selectedVisualIndex, 4);
    EXPECT_EQ(session.mode, GridOSDPreviewSessionMode::deferredHotkey(
                                OSDDismissalBehavior::untilModifiersReleased(
                                    EventFlags::maskControl | EventFlags::maskAlternate)));
    const auto& previews = world.seams.presentation->previewCalls;
    ASSERT_EQ(previews.size(), 2u);
    EXPECT_EQ(previews[1].sourceIndex, std::optional<uint32_t>(1));
    EXPECT_EQ(previews[1].direction, std::optional<TessarinDirection>(TessarinDirectionDown));
    // The session is built once and moved by the second press.
    int builds = 0;
    for (const std::string& call : world.seams.presentation->calls) {
        builds += call.rfind("makeGridOSDModel", 0) == 0 ? 1 : 0;
    }
    EXPECT_EQ(builds, 1);
}

TEST(AppDelegateDeferredSwitching, releasingTheModifiersCommitsTheSelection) {
    ScopedLogCapture capture;
    SwitchingWorld world;
    world.delegate->performSpaceSwitch(TessarinDirectionRight, std::nullopt, controlOptionArrow());
    world.delegate->performSpaceSwitch(TessarinDirectionRight, std::nullopt, controlOptionArrow());

    world.delegate->commitDeferredPreviewSession();
    world.queue.advance(1.5);

    EXPECT_EQ(world.current(), 103u);
    EXPECT_FALSE(world.delegate->gridOSDPreviewSession);
    bool verified = false;
    for (const std::string& line : capture.messages("SpaceSwitch")) {
        verified = verified || line.find("context=deferred-commit") != std::string::npos;
    }
    EXPECT_TRUE(verified);

    // A second dismissal finds nothing left to commit.
    world.delegate->commitDeferredPreviewSession();
    world.settle();
    EXPECT_EQ(world.current(), 103u);
}

TEST(AppDelegateDeferredSwitching, aHeldDirectJumpPreviewsTheCell) {
    SwitchingWorld world;
    world.delegate->performSpaceSwitchToIndex(5, std::nullopt, controlOptionArrow());
    EXPECT_EQ(world.gestures(), 0u);
    ASSERT_TRUE(world.delegate->gridOSDPreviewSession);
    EXPECT_EQ(world.delegate->gridOSDPreviewSession->selectedVisualIndex, 5);
    world.delegate->commitDeferredPreviewSession();
    world.settle();
    EXPECT_EQ(world.current(), 106u);
    EXPECT_EQ(world.gestures(), 1u);
    // Committing the Space already shown posts nothing.
    world.delegate->performSpaceSwitchToIndex(5, std::nullopt, controlOptionArrow());
    world.delegate->commitDeferredPreviewSession();
    world.settle();
    EXPECT_EQ(world.gestures(), 1u);
}

TEST(AppDelegateDeferredSwitching, withoutTheSettingOrAModifierTheSwitchIsImmediate) {
    {
        SwitchingWorld world;
        world.delegate->gridModeStore.setSwitchOnModifierRelease(false,
                                                                 DisplaySettingsScope::global());
        world.delegate->performSpaceSwitch(TessarinDirectionRight, std::nullopt,
                                           controlOptionArrow());
        world.settle();
        EXPECT_EQ(world.current(), 102u);
        EXPECT_FALSE(world.delegate->gridOSDPreviewSession);
    }
    {
        SwitchingWorld world;
        HotkeyCombination bare;
        bare.keyCode = 124;
        world.delegate->performSpaceSwitch(TessarinDirectionRight, std::nullopt, bare);
        world.settle();
        EXPECT_EQ(world.current(), 102u);
    }
}

TEST(AppDelegateDeferredSwitching, aPreviewThatCannotBeShownSwitchesNothing) {
    SwitchingWorld world;
    world.seams.presentation->previewResult = false;
    auto trace = std::make_shared<OSDPresentationMetricsTrace>();
    world.delegate->performSpaceSwitch(TessarinDirectionRight, std::nullopt, controlOptionArrow(),
                                       trace);
    world.settle();
    EXPECT_EQ(world.gestures(), 0u);
    EXPECT_FALSE(world.delegate->gridOSDPreviewSession);
    EXPECT_EQ(world.seams.metrics->fieldsOf("space.switch.aborted").at("reason"),
              "deferred-preview");
    EXPECT_EQ(world.seams.metrics->fieldsOf("deferred.preview.presented").at("presented"), "false");
}

// ---------------------------------------------------------------- Trackpad

TEST(AppDelegateDeferredSwitching, theTrackpadCommitWaitsForTheDelaySetting) {
    SwitchingWorld world;
    world.seams.trackpad->delayMilliseconds = 650;
    ASSERT_TRUE(world.delegate->previewDeferredTrackpadSwipe(TessarinDirectionRight, kAfterDelay));
    world.delegate->schedulePendingTrackpadSwipeCommit();

    world.queue.advance(0.6);
    EXPECT_EQ(world.gestures(), 0u);
    EXPECT_TRUE(world.seams.osdWindow->hides.empty());
    world.queue.advance(0.1);
    EXPECT_EQ(world.seams.osdWindow->hides.size(), 1u);
    world.settle();
    EXPECT_EQ(world.current(), 102u);
    EXPECT_FALSE(world.delegate->pendingTrackpadSwipeCommitWorkItem);
}

TEST(AppDelegateDeferredSwitching, anActiveGestureHoldsTheCommitForOnePointTwoFiveSeconds) {
    SwitchingWorld world;
    world.seams.trackpad->delayMilliseconds = 300;
    world.delegate->trackpadSwipeGestureIsActive = true;
    ASSERT_TRUE(world.delegate->previewDeferredTrackpadSwipe(TessarinDirectionRight, kAfterDelay));
    world.delegate->schedulePendingTrackpadSwipeCommit();
    world.queue.advance(1.2);
    EXPECT_EQ(world.gestures(), 0u);

    // Another swipe while the fingers are down moves the commit later again.
    ASSERT_TRUE(world.delegate->previewDeferredTrackpadSwipe(TessarinDirectionRight, kAfterDelay));
    world.delegate->schedulePendingTrackpadSwipeCommit();
    world.queue.advance(1.2);
    EXPECT_EQ(world.gestures(), 0u);

    // Lifting the fingers starts the configured delay.
    world.delegate->trackpadSwipeGestureIsActive = false;
    world.delegate->schedulePendingTrackpadSwipeCommit();
    world.queue.advance(0.3);
    world.settle();
    EXPECT_EQ(world.current(), 103u);
}

TEST(AppDelegateDeferredSwitching, onlyATrackpadPreviewIsScheduledForCommit) {
    SwitchingWorld world;
    world.delegate->schedulePendingTrackpadSwipeCommit();
    EXPECT_FALSE(world.delegate->pendingTrackpadSwipeCommitWorkItem);

    world.delegate->performSpaceSwitch(TessarinDirectionRight, std::nullopt, controlOptionArrow());
    ASSERT_TRUE(world.delegate->gridOSDPreviewSession);
    world.delegate->schedulePendingTrackpadSwipeCommit();
    EXPECT_FALSE(world.delegate->pendingTrackpadSwipeCommitWorkItem);
}

TEST(AppDelegateDeferredSwitching, anAfterTapPreviewCommitsOnTheTap) {
    SwitchingWorld world;
    ASSERT_TRUE(world.delegate->previewDeferredTrackpadSwipe(TessarinDirectionDown, kAfterTap));
    world.queue.advance(5.0);
    EXPECT_EQ(world.gestures(), 0u);
    world.delegate->commitPendingTrackpadSwipe();
    world.settle();
    EXPECT_EQ(world.current(), 104u);
}

TEST(AppDelegateDeferredSwitching, noPreviewWithoutAGridThatFitsTheLayoutOrAnOSD) {
    for (const bool modelOfAnotherSize : {false, true}) {
        SwitchingWorld world;
        if (modelOfAnotherSize) {
            world.seams.presentation->modelSpaceCount = 7; // the layout has 8 cells
        } else {
            world.seams.presentation->modelsAvailable = false;
        }
        EXPECT_FALSE(
            world.delegate->previewDeferredTrackpadSwipe(TessarinDirectionRight, kAfterDelay));
        EXPECT_FALSE(world.delegate->gridOSDPreviewSession);
    }
    {
        SwitchingWorld world;
        world.host.system().setProcessTrusted(false);
        EXPECT_FALSE(
            world.delegate->previewDeferredTrackpadSwipe(TessarinDirectionRight, kAfterTap));
    }
    {
        // With the OSD off for the display nothing could show the pending target.
        SwitchingWorld world;
        world.host.defaults().set(DisplayPresentationSettingsStore::showOSDKey,
                                  PropertyValue(false));
        EXPECT_FALSE(
            world.delegate->previewDeferredTrackpadSwipe(TessarinDirectionRight, kAfterTap));
        // A held hotkey then switches at once instead of waiting for a preview.
        world.delegate->performSpaceSwitch(TessarinDirectionRight, std::nullopt,
                                           controlOptionArrow());
        world.settle();
        EXPECT_EQ(world.current(), 102u);
    }
}

TEST(AppDelegateDeferredSwitching, cancellingDropsThePendingCommitAndThePreview) {
    SwitchingWorld world;
    ASSERT_TRUE(world.delegate->previewDeferredTrackpadSwipe(TessarinDirectionRight, kAfterDelay));
    world.delegate->schedulePendingTrackpadSwipeCommit();
    world.delegate->trackpadSwipeGestureIsActive = true;
    world.delegate->pendingDeferredWindowThrowCandidate = FocusedWindowThrowCandidate{};

    world.delegate->cancelPendingDeferredSpaceSwitch(false, false);
    world.queue.advance(3.0);

    EXPECT_EQ(world.gestures(), 0u);
    EXPECT_FALSE(world.delegate->gridOSDPreviewSession);
    EXPECT_FALSE(world.delegate->pendingTrackpadSwipeCommitWorkItem);
    EXPECT_FALSE(world.delegate->trackpadSwipeGestureIsActive);
    EXPECT_FALSE(world.delegate->pendingDeferredWindowThrowCandidate);
    EXPECT_EQ(world.seams.trackpad->cancelCount, 1);
}

TEST(AppDelegateDeferredSwitching, cancellingCanKeepAManualPickerOrTheCurrentPreview) {
    SwitchingWorld world;
    ASSERT_TRUE(world.delegate->previewDeferredTrackpadSwipe(TessarinDirectionRight, kAfterDelay));
    world.delegate->cancelPendingDeferredSpaceSwitch(false, true);
    EXPECT_TRUE(world.delegate->gridOSDPreviewSession);
    // A trackpad preview is no picker: preserving the picker does not keep it.
    world.delegate->cancelPendingDeferredSpaceSwitch(true, false);
    EXPECT_FALSE(world.delegate->gridOSDPreviewSession);

    auto picker = *GridOSDPreviewSession::make(
        GridOSDPreviewSessionMode::picker(), std::string("UUID-A"), std::string("UUID-A"),
        std::string("UUID-A"),
        DisplaySpaceOrderSnapshot::make(
            "UUID-A", {101, 102},
            {DisplaySpaceSlot::realSpace(101), DisplaySpaceSlot::realSpace(102)}, 101),
        *OSDGridModel::make(OSDGridModel::Fields{2, 0, std::nullopt, 2}), 0);
    world.delegate->gridOSDPreviewSession = picker;
    world.delegate->cancelPendingDeferredSpaceSwitch(true, false);
    EXPECT_TRUE(world.delegate->gridOSDPreviewSession);
    // The picker is never committed by a dismissal.
    world.delegate->commitDeferredPreviewSession();
    EXPECT_TRUE(world.delegate->gridOSDPreviewSession);
    world.delegate->cancelPendingDeferredSpaceSwitch(false, false);
    EXPECT_FALSE(world.delegate->gridOSDPreviewSession);
}

TEST(AppDelegateDeferredSwitching, thePickerToggles) {
    SwitchingWorld world;
    world.delegate->toggleOSDSpacePicker(nullptr);
    EXPECT_EQ(world.seams.presentation->calls.back(), "showOSDSpacePickerOnCursorDisplay");

    auto picker = *GridOSDPreviewSession::make(
        GridOSDPreviewSessionMode::picker(), std::string("UUID-A"), std::string("UUID-A"),
        std::nullopt,
        DisplaySpaceOrderSnapshot::make("UUID-A", {101}, {DisplaySpaceSlot::realSpace(101)}, 101),
        *OSDGridModel::make(OSDGridModel::Fields{1, 0, std::nullopt, 2}), 0);
    world.delegate->gridOSDPreviewSession = picker;
    world.delegate->currentGridOSDDisplayIdentifier = "UUID-A";
    world.seams.osdWindow->visible = {std::string("UUID-A")};
    world.delegate->toggleOSDSpacePicker(nullptr);
    EXPECT_FALSE(world.delegate->gridOSDPreviewSession);
    EXPECT_FALSE(world.delegate->currentGridOSDDisplayIdentifier);
    EXPECT_EQ(world.seams.osdWindow->hides, std::vector<double>{0.2});

    world.delegate->gridModeStore.globalShowOSDSpacePickerOnAllScreens = true;
    world.delegate->toggleOSDSpacePicker(nullptr);
    EXPECT_EQ(world.seams.presentation->calls.back(), "showOSDSpacePickerOnAllScreens");
}

} // namespace
} // namespace tessarin
