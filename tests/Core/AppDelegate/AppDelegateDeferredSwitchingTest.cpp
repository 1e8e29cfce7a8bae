#include "Core/Fakes/EngineWorld.h"
#include "Platform/Input/Event.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace tessarin {
namespace {

using fakes::World;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

constexpr TessarinDirection kRight = TessarinDirectionRight;
constexpr TessarinDirection kDown = TessarinDirectionDown;
const HotkeyCombination kHeldArrow = fakes::controlOption(124);
const GridOSDPreviewSessionMode kAfterDelay =
    GridOSDPreviewSessionMode::deferredHotkey(OSDDismissalBehavior::manual());
const GridOSDPreviewSessionMode kAfterTap = GridOSDPreviewSessionMode::trackpadAfterTap();

// A picker session over Spaces 101 and 102 of display A.
GridOSDPreviewSession picker() {
    return *GridOSDPreviewSession::make(
        GridOSDPreviewSessionMode::picker(), std::string("UUID-A"), std::string("UUID-A"),
        std::string("UUID-A"),
        DisplaySpaceOrderSnapshot::make(
            "UUID-A", {101, 102},
            {DisplaySpaceSlot::realSpace(101), DisplaySpaceSlot::realSpace(102)}, 101),
        *OSDGridModel::make(OSDGridModel::Fields{2, 0, std::nullopt, 2}), 0);
}

void turnOSDOff(World& world) {
    world.host.defaults().set(DisplayPresentationSettingsStore::showOSDKey, PropertyValue(false));
}

TEST(AppDelegateDeferredSwitching, aHeldHotkeyPreviewsAndReleasingCommitsTheSelection) {
    World world;
    world.d().performSpaceSwitch(kRight, std::nullopt, kHeldArrow);
    world.d().performSpaceSwitch(kDown, std::nullopt, kHeldArrow);
    world.settle();

    EXPECT_EQ(world.gestures(), 0u);
    ASSERT_TRUE(world.d().gridOSDPreviewSession);
    EXPECT_EQ(world.d().gridOSDPreviewSession->selectedVisualIndex, 4);
    EXPECT_EQ(
        world.d().gridOSDPreviewSession->mode,
        GridOSDPreviewSessionMode::deferredHotkey(OSDDismissalBehavior::untilModifiersReleased(
            EventFlags::maskControl | EventFlags::maskAlternate)));
    const auto& previews = world.seams.presentation->previewCalls;
    ASSERT_EQ(previews.size(), 2u);
    EXPECT_EQ(previews[1].sourceIndex, std::optional<uint32_t>(1));
    EXPECT_EQ(previews[1].direction, std::optional(kDown));
    // The session is built once and moved by the second press.
    EXPECT_EQ(std::count(world.seams.presentation->calls.begin(),
                         world.seams.presentation->calls.end(), "makeGridOSDModel 0"),
              1);

    world.d().commitDeferredPreviewSession();
    world.queue.advance(1.5);
    EXPECT_EQ(world.current(), 105u);
    EXPECT_FALSE(world.d().gridOSDPreviewSession);
    EXPECT_THAT(world.logLines("SpaceSwitch", "space switch verification"),
                ElementsAre(HasSubstr("context=deferred-commit")));
    // A second dismissal finds nothing left to commit.
    world.d().commitDeferredPreviewSession();
    world.settle();
    EXPECT_EQ(world.gestures(), 1u);
}

TEST(AppDelegateDeferredSwitching, aHeldDirectJumpPreviewsTheCell) {
    World world;
    world.d().performSpaceSwitchToIndex(5, std::nullopt, kHeldArrow);
    EXPECT_EQ(world.gestures(), 0u);
    ASSERT_TRUE(world.d().gridOSDPreviewSession);
    EXPECT_EQ(world.d().gridOSDPreviewSession->selectedVisualIndex, 5);
    world.d().commitDeferredPreviewSession();
    world.settle();
    EXPECT_EQ(world.current(), 106u);
    // Committing the Space already shown posts nothing.
    world.d().performSpaceSwitchToIndex(5, std::nullopt, kHeldArrow);
    world.d().commitDeferredPreviewSession();
    world.settle();
    EXPECT_EQ(world.gestures(), 1u);
}

TEST(AppDelegateDeferredSwitching, theSwitchIsImmediateWithoutAPreviewToWaitOn) {
    // clang-format off
    struct Case { const char* name; std::function<void(World&)> setUp; HotkeyCombination combination; };
    HotkeyCombination bare;
    bare.keyCode = 124;
    const Case cases[] = {
        {"setting off", [](World& w) { w.grid().setSwitchOnModifierRelease(false, DisplaySettingsScope::global()); }, kHeldArrow},
        {"no modifier", [](World&) {}, bare},
        // With the OSD off for the display nothing could show the pending target.
        {"OSD off", turnOSDOff, kHeldArrow},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        World world;
        c.setUp(world);
        world.d().performSpaceSwitch(kRight, std::nullopt, c.combination);
        world.settle();
        EXPECT_EQ(world.current(), 102u);
        EXPECT_FALSE(world.d().gridOSDPreviewSession);
    }
}

TEST(AppDelegateDeferredSwitching, aPreviewThatCannotBeShownSwitchesNothing) {
    World world;
    world.seams.presentation->previewResult = false;
    world.d().performSpaceSwitch(kRight, std::nullopt, kHeldArrow,
                                 std::make_shared<OSDPresentationMetricsTrace>());
    world.settle();
    EXPECT_EQ(world.gestures(), 0u);
    EXPECT_FALSE(world.d().gridOSDPreviewSession);
    EXPECT_EQ(world.abortReason(), "deferred-preview");
    EXPECT_EQ(world.seams.metrics->fieldsOf("deferred.preview.started").at("direction"), "right");
}

TEST(AppDelegateDeferredSwitching, noTrackpadPreviewWithoutAGridThatFitsTheLayoutOrAnOSD) {
    const std::pair<const char*, std::function<void(World&)>> cases[] = {
        {"no model", [](World& w) { w.seams.presentation->modelsAvailable = false; }},
        {"a model of another size", [](World& w) { w.seams.presentation->modelSpaceCount = 7; }},
        {"untrusted", [](World& w) { w.host.system().setProcessTrusted(false); }},
        {"OSD off", turnOSDOff},
    };
    for (const auto& [name, setUp] : cases) {
        SCOPED_TRACE(name);
        World world;
        setUp(world);
        EXPECT_FALSE(world.d().previewDeferredTrackpadSwipe(kRight, kAfterDelay));
        EXPECT_FALSE(world.d().gridOSDPreviewSession);
    }
}

TEST(AppDelegateDeferredSwitching, theTrackpadCommitWaitsForTheDelaySetting) {
    World world;
    world.seams.trackpad->delayMilliseconds = 650;
    ASSERT_TRUE(world.d().previewDeferredTrackpadSwipe(kRight, kAfterDelay));
    world.d().schedulePendingTrackpadSwipeCommit();

    world.queue.advance(0.6);
    EXPECT_EQ(world.gestures(), 0u);
    EXPECT_TRUE(world.seams.osdWindow->hides.empty());
    world.queue.advance(0.1);
    EXPECT_EQ(world.seams.osdWindow->hides.size(), 1u);
    world.settle();
    EXPECT_EQ(world.current(), 102u);
    EXPECT_FALSE(world.d().pendingTrackpadSwipeCommitWorkItem);
}

TEST(AppDelegateDeferredSwitching, anActiveGestureHoldsTheCommitForOnePointTwoFiveSeconds) {
    World world;
    world.seams.trackpad->delayMilliseconds = 300;
    world.d().trackpadSwipeGestureIsActive = true;
    for (int swipe = 0; swipe < 2; ++swipe) {
        // Another swipe while the fingers are down moves the commit later again.
        ASSERT_TRUE(world.d().previewDeferredTrackpadSwipe(kRight, kAfterDelay));
        world.d().schedulePendingTrackpadSwipeCommit();
        world.queue.advance(1.2);
        EXPECT_EQ(world.gestures(), 0u);
    }
    // Lifting the fingers starts the configured delay.
    world.d().trackpadSwipeGestureIsActive = false;
    world.d().schedulePendingTrackpadSwipeCommit();
    world.queue.advance(0.3);
    world.settle();
    EXPECT_EQ(world.current(), 103u);
}

TEST(AppDelegateDeferredSwitching, onlyATrackpadPreviewIsScheduledAndAnAfterTapOneWaitsForTheTap) {
    World world;
    world.d().schedulePendingTrackpadSwipeCommit();
    EXPECT_FALSE(world.d().pendingTrackpadSwipeCommitWorkItem);
    world.d().performSpaceSwitch(kRight, std::nullopt, kHeldArrow);
    ASSERT_TRUE(world.d().gridOSDPreviewSession);
    world.d().schedulePendingTrackpadSwipeCommit();
    EXPECT_FALSE(world.d().pendingTrackpadSwipeCommitWorkItem);
    world.d().cancelPendingDeferredSpaceSwitch(false, false);

    ASSERT_TRUE(world.d().previewDeferredTrackpadSwipe(kDown, kAfterTap));
    world.queue.advance(5.0);
    EXPECT_EQ(world.gestures(), 0u);
    world.d().commitPendingTrackpadSwipe();
    world.settle();
    EXPECT_EQ(world.current(), 104u);
}

TEST(AppDelegateDeferredSwitching, cancellingDropsThePendingCommitAndThePreview) {
    World world;
    ASSERT_TRUE(world.d().previewDeferredTrackpadSwipe(kRight, kAfterDelay));
    world.d().schedulePendingTrackpadSwipeCommit();
    world.d().trackpadSwipeGestureIsActive = true;
    world.d().pendingDeferredWindowThrowCandidate = FocusedWindowThrowCandidate{};

    world.d().cancelPendingDeferredSpaceSwitch(false, false);
    world.queue.advance(3.0);

    EXPECT_EQ(world.gestures(), 0u);
    EXPECT_FALSE(world.d().gridOSDPreviewSession);
    EXPECT_FALSE(world.d().pendingTrackpadSwipeCommitWorkItem);
    EXPECT_FALSE(world.d().trackpadSwipeGestureIsActive);
    EXPECT_FALSE(world.d().pendingDeferredWindowThrowCandidate);
    EXPECT_EQ(world.seams.trackpad->cancelCount, 1);
}

TEST(AppDelegateDeferredSwitching, cancellingCanKeepAManualPickerOrTheCurrentPreview) {
    World world;
    ASSERT_TRUE(world.d().previewDeferredTrackpadSwipe(kRight, kAfterDelay));
    world.d().cancelPendingDeferredSpaceSwitch(false, true);
    EXPECT_TRUE(world.d().gridOSDPreviewSession);
    // A trackpad preview is no picker: preserving the picker does not keep it.
    world.d().cancelPendingDeferredSpaceSwitch(true, false);
    EXPECT_FALSE(world.d().gridOSDPreviewSession);

    world.d().gridOSDPreviewSession = picker();
    world.d().cancelPendingDeferredSpaceSwitch(true, false);
    EXPECT_TRUE(world.d().gridOSDPreviewSession);
    // The picker is never committed by a dismissal.
    world.d().commitDeferredPreviewSession();
    EXPECT_TRUE(world.d().gridOSDPreviewSession);
    world.d().cancelPendingDeferredSpaceSwitch(false, false);
    EXPECT_FALSE(world.d().gridOSDPreviewSession);
}

TEST(AppDelegateDeferredSwitching, thePickerToggles) {
    World world;
    world.d().toggleOSDSpacePicker(nullptr);
    EXPECT_EQ(world.seams.presentation->calls.back(), "showOSDSpacePickerOnCursorDisplay");

    world.d().gridOSDPreviewSession = picker();
    world.d().currentGridOSDDisplayIdentifier = "UUID-A";
    world.seams.osdWindow->visible = {std::string("UUID-A")};
    world.d().toggleOSDSpacePicker(nullptr);
    EXPECT_FALSE(world.d().gridOSDPreviewSession);
    EXPECT_FALSE(world.d().currentGridOSDDisplayIdentifier);
    EXPECT_EQ(world.seams.osdWindow->hides, std::vector<double>{0.2});

    world.grid().globalShowOSDSpacePickerOnAllScreens = true;
    world.d().toggleOSDSpacePicker(nullptr);
    EXPECT_EQ(world.seams.presentation->calls.back(), "showOSDSpacePickerOnAllScreens");
}

} // namespace
} // namespace tessarin
