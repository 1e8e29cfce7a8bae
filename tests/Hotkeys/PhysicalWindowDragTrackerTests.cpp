#include "Hotkeys/PhysicalWindowDragTracker.h"
#include "Platform/Host.h"
#include "Platform/Input/EventSystem.h"
#include "Platform/Scenario.h"
#include "Support/VirtualMainQueue.h"

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

struct DragCase {
    const char* name;
    Point to;
    bool counts;
};

void PrintTo(const DragCase& value, std::ostream* out) {
    *out << value.name;
}

class PhysicalWindowDragTrackerThresholdTests : public PhysicalWindowDragTrackerTests,
                                                public ::testing::WithParamInterface<DragCase> {};

TEST_P(PhysicalWindowDragTrackerThresholdTests, CountsOnlyBeyondThreePoints) {
    ASSERT_TRUE(tracker.start());
    hands().mouseDown({100, 100});
    hands().mouseDrag(GetParam().to);
    settle();
    EXPECT_TRUE(tracker.isLeftButtonDown());
    EXPECT_EQ(tracker.isPhysicalDragActive(), GetParam().counts);
}

INSTANTIATE_TEST_SUITE_P(Cases, PhysicalWindowDragTrackerThresholdTests,
                         ::testing::Values(DragCase{"exactlyThreeRight", {103, 100}, false},
                                           DragCase{"exactlyThreeUp", {100, 97}, false},
                                           DragCase{"diagonalWithinThree", {102, 102}, false},
                                           DragCase{"justBeyondThree", {103.01, 100}, true},
                                           DragCase{"diagonalBeyondThree", {102.5, 102.5}, true},
                                           DragCase{"farLeft", {40, 100}, true}),
                         [](const auto& info) { return std::string(info.param.name); });

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
    hands().mouseDown({0, 0});
    settle();
    EXPECT_EQ(tracker.mouseDownGeneration(), 1u);
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

TEST(PhysicalWindowDragTrackerSharedTests, SharedTrackerWatchesTheCurrentHostsEvents) {
    VirtualMainQueue queue;
    ScopedMainQueue scopedQueue(queue);
    const auto parsed = parseScenarioText(R"({
      "displays": [{"id": 1, "uuid": "MAIN-UUID", "frame": [0, 0, 1440, 900]}],
      "spaces": [{"display": "MAIN-UUID", "spaces": [{"id": 1}]}]})",
                                          "test");
    ASSERT_TRUE(parsed) << parsed.error;
    Host host(*parsed.scenario, queue);
    ScopedCurrentHost current(host);

    PhysicalWindowDragTracker& tracker = PhysicalWindowDragTracker::shared();
    ASSERT_TRUE(tracker.start());
    const uint64_t generationBefore = tracker.mouseDownGeneration();
    host.events().physical().mouseDown({100, 100});
    host.events().physical().mouseDrag({140, 100});
    queue.runUntilIdle();
    EXPECT_TRUE(tracker.isPhysicalDragActive());
    EXPECT_EQ(tracker.mouseDownGeneration(), generationBefore + 1);
    tracker.stop();
    EXPECT_FALSE(tracker.isRunning());
}

} // namespace
} // namespace tessarin
