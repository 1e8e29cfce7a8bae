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

TEST_F(PhysicalWindowDragTrackerTests, CountsOnlyBeyondThreePointsFromThePress) {
    ASSERT_TRUE(tracker.start());
    // clang-format off
    const std::tuple<const char*, Point, bool> rows[] = {
        {"exactlyThreeRight", {103, 100}, false}, {"exactlyThreeUp", {100, 97}, false},
        {"diagonalWithinThree", {102, 102}, false}, {"justBeyondThree", {103.01, 100}, true},
        {"diagonalBeyondThree", {102.5, 102.5}, true}, {"farLeft", {40, 100}, true}};
    // clang-format on
    for (const auto& [name, to, counts] : rows) {
        hands().mouseDown({100, 100});
        hands().mouseDrag(to);
        settle();
        EXPECT_EQ(tracker.isPhysicalDragActive(), counts) << name;
        hands().mouseUp(to);
    }
}

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
}

TEST_F(PhysicalWindowDragTrackerTests, TapSwitchedOffBySystemIsSwitchedBackOn) {
    ASSERT_TRUE(tracker.start());
    events.disableTapByTimeout(events.installedTaps().at(0));
    settle();
    EXPECT_TRUE(events.installedTaps().at(0)->isEnabled());
}

TEST_F(PhysicalWindowDragTrackerTests, DragWithoutASeenPressIsIgnored) {
    // Events fed straight in, as a tap started in the middle of a press would see them.
    tracker.handle(EventType::leftMouseDragged,
                   Event::mouse(EventType::leftMouseDragged, {50, 50}, MouseButton::left));
    EXPECT_FALSE(tracker.isPhysicalDragActive());
    EXPECT_FALSE(tracker.isLeftButtonDown());
}

} // namespace
} // namespace tessarin
