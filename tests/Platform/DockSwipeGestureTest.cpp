#include "Platform/DockSwipeGesture.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace tessarin {
namespace {

DockSpaceSwitchGesture gesture(int64_t steps, std::optional<uint32_t> target = std::nullopt,
                               DockSwitchPostVariant variant = DockSwitchPostVariant::plain) {
    return DockSpaceSwitchGesture{{640, 400}, steps, target, variant};
}

TEST(DockSwipeGestureTest, switchIsOneTaggedHorizontalSwipe) {
    const auto events = encodeDockSpaceSwitch(gesture(2));
    ASSERT_EQ(events.size(), 3u);
    const int64_t phases[] = {GesturePhase::began, GesturePhase::changed, GesturePhase::ended};
    for (std::size_t i = 0; i < events.size(); ++i) {
        const Event& event = events[i];
        EXPECT_EQ(event.type, EventType::dockGesture);
        EXPECT_EQ(event.integerValue(EventField::gestureHIDType), 23);
        EXPECT_EQ(event.integerValue(EventField::gestureSwipeMotion), 1);
        EXPECT_EQ(event.integerValue(EventField::gesturePhase), phases[i]);
        EXPECT_EQ(event.integerValue(EventField::eventSourceUserData), 0x5453524E);
        EXPECT_EQ(event.integerValue(EventField::privateSourceTag), 33231);
        EXPECT_EQ(event.location, (Point{640, 400}));
    }
}

TEST(DockSwipeGestureTest, progressRunsAgainstTheStepDirection) {
    // The trackpad reading of the same fields: positive progress is a move to the left.
    EXPECT_DOUBLE_EQ(encodeDockSpaceSwitch(gesture(3)).back().doubleValue(124), -3.0);
    EXPECT_DOUBLE_EQ(encodeDockSpaceSwitch(gesture(-2)).back().doubleValue(124), 2.0);
    EXPECT_DOUBLE_EQ(encodeDockSpaceSwitch(gesture(3)).front().doubleValue(124), 0.0);
}

TEST(DockSwipeGestureTest, encodedStepsDecodeBack) {
    for (int64_t steps : {-15, -1, 1, 4, 15}) {
        const auto ended = decodeDockSwipeEvent(encodeDockSpaceSwitch(gesture(steps)).back());
        ASSERT_TRUE(ended.has_value());
        EXPECT_EQ(ended->phase, GesturePhase::ended);
        EXPECT_TRUE(ended->isSynthetic);
        EXPECT_EQ(dockSwipeSteps(ended->progress), steps);
    }
}

TEST(DockSwipeGestureTest, onlyTheAugmentedFormNamesItsTarget) {
    const auto plain = encodeDockSpaceSwitch(gesture(1, 5u));
    EXPECT_EQ(decodeDockSwipeEvent(plain.back())->targetIndex, std::nullopt);

    const auto augmented = encodeDockSpaceSwitch(gesture(1, 0u, DockSwitchPostVariant::augmented));
    EXPECT_EQ(decodeDockSwipeEvent(augmented.back())->targetIndex, 0u);
    EXPECT_EQ(decodeDockSwipeEvent(augmented.front())->targetIndex, std::nullopt);
}

TEST(DockSwipeGestureTest, otherEventsAreNotSwipes) {
    Event key = Event::keyboard(18, true);
    EXPECT_FALSE(decodeDockSwipeEvent(key).has_value());
    Event otherGesture;
    otherGesture.type = EventType::dockGesture;
    otherGesture.setIntegerValue(EventField::gestureHIDType, 6);
    EXPECT_FALSE(decodeDockSwipeEvent(otherGesture).has_value());
}

TEST(DockSwipeGestureTest, userSwipeIsNotSynthetic) {
    Event swipe;
    swipe.type = EventType::dockGesture;
    swipe.setIntegerValue(EventField::gestureHIDType, 23);
    swipe.setIntegerValue(EventField::gesturePhase, GesturePhase::ended);
    swipe.setDoubleValue(EventField::gestureSwipeProgress, 0.4);
    const auto decoded = decodeDockSwipeEvent(swipe);
    ASSERT_TRUE(decoded.has_value());
    EXPECT_FALSE(decoded->isSynthetic);
    // Either tag alone marks the event as the bridge's.
    swipe.setIntegerValue(EventField::privateSourceTag, 33231);
    EXPECT_TRUE(isSyntheticDockSwipeEvent(swipe));
}

TEST(DockSwipeGestureTest, stepsOfSwipeProgress) {
    EXPECT_EQ(dockSwipeSteps(0.05), 0);
    EXPECT_EQ(dockSwipeSteps(-0.05), 0);
    EXPECT_EQ(dockSwipeSteps(0.3), -1);
    EXPECT_EQ(dockSwipeSteps(-0.3), 1);
    EXPECT_EQ(dockSwipeSteps(-2.0), 2);
    EXPECT_EQ(dockSwipeSteps(std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_EQ(dockSwipeSteps(-1e300), 1000000);
}

TEST(DockSwipeGestureTest, postVariantFollowsSystemVersion) {
    EXPECT_EQ(dockSwitchPostVariant(26), DockSwitchPostVariant::plain);
    EXPECT_EQ(dockSwitchPostVariant(27), DockSwitchPostVariant::augmented);
    EXPECT_EQ(rawValue(dockSwitchPostVariant(28)), 2u);
    EXPECT_EQ(dockSwitchPostVariantFromRawValue(0), DockSwitchPostVariant::plain);
    EXPECT_EQ(dockSwitchPostVariantFromRawValue(1), std::nullopt);
}

} // namespace
} // namespace tessarin
