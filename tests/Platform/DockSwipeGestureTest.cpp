#include "Platform/DockSwipeGesture.h"

#include <gtest/gtest.h>
#include <limits>

namespace tessarin {
namespace {

DockSpaceSwitchGesture gesture(int64_t steps, std::optional<uint32_t> target = std::nullopt,
                               DockSwitchPostVariant variant = DockSwitchPostVariant::plain) {
    return DockSpaceSwitchGesture{{640, 400}, steps, target, variant};
}

TEST(DockSwipeGestureTest, encodedStepsAndTargetsDecodeBack) {
    for (int64_t steps : {-15, -1, 1, 4}) {
        const auto ended = decodeDockSwipeEvent(encodeDockSpaceSwitch(gesture(steps)).back());
        ASSERT_TRUE(ended.has_value());
        EXPECT_TRUE(ended->isSynthetic);
        EXPECT_EQ(dockSwipeSteps(ended->progress), steps);
        EXPECT_EQ(ended->targetIndex, std::nullopt);
    }
    const auto augmented = encodeDockSpaceSwitch(gesture(1, 0u, DockSwitchPostVariant::augmented));
    const auto ended = decodeDockSwipeEvent(augmented.back());
    ASSERT_TRUE(ended.has_value());
    EXPECT_EQ(ended->targetIndex, 0u);
    EXPECT_FALSE(decodeDockSwipeEvent(Event::keyboard(18, true)).has_value());
    Event otherGesture;
    otherGesture.type = EventType::dockGesture;
    otherGesture.setIntegerValue(EventField::gestureHIDType, 6);
    EXPECT_FALSE(decodeDockSwipeEvent(otherGesture).has_value());
}

TEST(DockSwipeGestureTest, userSwipeIsNotSyntheticUnlessEitherTagIsSet) {
    Event swipe;
    swipe.type = EventType::dockGesture;
    swipe.setIntegerValue(EventField::gestureHIDType, 23);
    swipe.setIntegerValue(EventField::gesturePhase, GesturePhase::ended);
    swipe.setDoubleValue(EventField::gestureSwipeProgress, 0.4);
    EXPECT_FALSE(isSyntheticDockSwipeEvent(swipe));
    swipe.setIntegerValue(EventField::privateSourceTag, 33231);
    EXPECT_TRUE(isSyntheticDockSwipeEvent(swipe));
}

TEST(DockSwipeGestureTest, stepsOfSwipeProgress) {
    const std::pair<double, int64_t> cases[] = {
        {0.05, 0},        {-0.05, 0}, {0.3, -1},
        {-0.3, 1},        {-2.0, 2},  {std::numeric_limits<double>::quiet_NaN(), 0},
        {-1e300, 1000000}};
    for (const auto& [progress, steps] : cases) {
        EXPECT_EQ(dockSwipeSteps(progress), steps) << progress;
    }
}

} // namespace
} // namespace tessarin
