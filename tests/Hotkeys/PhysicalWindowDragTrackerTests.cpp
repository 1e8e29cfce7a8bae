#include "HotkeyHostFixture.h"
#include "Hotkeys/PhysicalWindowDragTracker.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

class PhysicalWindowDragTrackerTests : public ::testing::Test {
protected:
    PhysicalInput& hands() { return events.physical(); }
    void settle() { queue.runUntilIdle(); }

    VirtualMainQueue queue;
    ScopedMainQueue scopedQueue{queue};
    EventSystem events{queue};
    PhysicalWindowDragTracker tracker{[this]() -> EventSystem& { return events; }};
};

struct DragRow {
    const char* name;
    Point to;
    bool counts;
};

class PhysicalWindowDragTrackerThresholdTests : public PhysicalWindowDragTrackerTests,
                                                public ::testing::WithParamInterface<DragRow> {};

TEST_P(PhysicalWindowDragTrackerThresholdTests, CountsOnlyBeyondThreePoints) {
    ASSERT_TRUE(tracker.start());
    hands().mouseDown({100, 100});
    hands().mouseDrag(GetParam().to);
    settle();
    EXPECT_TRUE(tracker.isLeftButtonDown());
    EXPECT_EQ(tracker.isPhysicalDragActive(), GetParam().counts);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, PhysicalWindowDragTrackerThresholdTests, ::testing::Values(
    DragRow{"exactlyThreeRight", {103, 100}, false},
    DragRow{"exactlyThreeUp", {100, 97}, false},
    DragRow{"diagonalWithinThree", {102, 102}, false},
    DragRow{"justBeyondThree", {103.01, 100}, true},
    DragRow{"diagonalBeyondThree", {102.5, 102.5}, true},
    DragRow{"farLeft", {40, 100}, true}),
    rowName<DragRow>);
// clang-format on

TEST_F(PhysicalWindowDragTrackerTests, DragAddsUpFromThePressAndStaysCountedUntilRelease) {
    ASSERT_TRUE(tracker.start());
    hands().mouseDown({0, 0});
    hands().mouseDrag({2, 0});
    hands().mouseDrag({4, 0}); // beyond three points from the press, not from the last event
    hands().mouseDrag({1, 0}); // back near the start: still the same drag
    settle();
    EXPECT_TRUE(tracker.isPhysicalDragActive());
    EXPECT_EQ(tracker.activeDragGeneration(), tracker.mouseDownGeneration());
    hands().mouseUp({1, 0});
    settle();
    EXPECT_FALSE(tracker.isPhysicalDragActive());
    EXPECT_EQ(tracker.activeDragGeneration(), std::nullopt);
    EXPECT_EQ(events.frontApplicationEvents(EventType::leftMouseUp).size(), 1u); // untouched
}

TEST_F(PhysicalWindowDragTrackerTests, EveryPressStartsANewGenerationButOnlyLeftDrags) {
    ASSERT_TRUE(tracker.start());
    hands().click({5, 5});
    hands().mouseDown({0, 0}, MouseButton::right);
    hands().mouseDrag({50, 0}, MouseButton::right);
    hands().mouseUp({50, 0}, MouseButton::right);
    settle();
    EXPECT_EQ(tracker.mouseDownGeneration(), 2u);
    EXPECT_FALSE(tracker.isPhysicalDragActive());
    hands().mouseDown({0, 0});
    hands().mouseDrag({20, 0});
    settle();
    EXPECT_EQ(tracker.activeDragGeneration(), 3u);
    hands().mouseUp({20, 0});
    hands().mouseDown({20, 0});
    settle();
    EXPECT_EQ(tracker.mouseDownGeneration(), 4u);
    EXPECT_FALSE(tracker.isPhysicalDragActive()); // a new press starts undragged
}

TEST_F(PhysicalWindowDragTrackerTests, StartTwiceKeepsOneListeningTapAndStopForgetsThePress) {
    EXPECT_TRUE(tracker.start());
    EXPECT_TRUE(tracker.start());
    ASSERT_EQ(events.installedTaps().size(), 1u);
    EXPECT_EQ(events.installedTaps()[0]->options(), EventTapOptions::listenOnly);
    hands().mouseDown({0, 0});
    hands().mouseDrag({30, 0});
    settle();
    ASSERT_TRUE(tracker.isPhysicalDragActive());
    tracker.stop();
    EXPECT_FALSE(tracker.isRunning());
    EXPECT_TRUE(events.installedTaps().empty());
    EXPECT_FALSE(tracker.isPhysicalDragActive());
}

TEST_F(PhysicalWindowDragTrackerTests, StartFailsWhenTheTapCannotBeCreated) {
    events.setAccessibilityTrust([] { return false; });
    EXPECT_FALSE(tracker.start());
    EXPECT_FALSE(tracker.isRunning());
    events.setAccessibilityTrust([] { return true; });
    EXPECT_TRUE(tracker.start());
}

TEST_F(PhysicalWindowDragTrackerTests, TapSwitchedOffBySystemIsSwitchedBackOn) {
    ASSERT_TRUE(tracker.start());
    events.disableTapByTimeout(events.installedTaps().at(0));
    settle();
    EXPECT_TRUE(events.installedTaps().at(0)->isEnabled());
    hands().mouseDown({0, 0});
    hands().mouseDrag({9, 0});
    settle();
    EXPECT_TRUE(tracker.isPhysicalDragActive());
}

TEST_F(PhysicalWindowDragTrackerTests, DragWithoutASeenPressIsIgnored) {
    // Events fed straight in, as a tap started in the middle of a press would see them.
    tracker.handle(EventType::leftMouseDragged,
                   Event::mouse(EventType::leftMouseDragged, {50, 50}, MouseButton::left));
    EXPECT_FALSE(tracker.isPhysicalDragActive());
    EXPECT_FALSE(tracker.isLeftButtonDown());
}

using PhysicalWindowDragTrackerSharedTests = HotkeyHostFixture;

TEST_F(PhysicalWindowDragTrackerSharedTests, SharedTrackerWatchesTheCurrentHostsEvents) {
    PhysicalWindowDragTracker& shared = PhysicalWindowDragTracker::shared();
    ASSERT_TRUE(shared.start());
    host.events().physical().mouseDown({100, 100});
    host.events().physical().mouseDrag({140, 100});
    settle();
    EXPECT_TRUE(shared.isPhysicalDragActive());
    shared.stop();
}

} // namespace
} // namespace tessarin
