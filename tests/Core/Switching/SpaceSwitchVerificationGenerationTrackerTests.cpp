#include "Core/Switching/SpaceSwitchVerificationGenerationTracker.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

TEST(SpaceSwitchVerificationGenerationTrackerTests, OnlyTheNewestAttemptOfAKeyIsCurrent) {
    SpaceSwitchVerificationGenerationTracker tracker;
    EXPECT_FALSE(tracker.isCurrent(SpaceSwitchVerificationAttempt{}));
    const auto left = tracker.begin(std::string("LEFT"));
    // Without a display the attempt counts under the pointer, apart from any named display.
    const auto cursor = tracker.begin(std::nullopt);
    const auto right = tracker.begin(std::string("RIGHT"));
    const auto newerRight = tracker.begin(std::string("RIGHT"));
    EXPECT_EQ(cursor.generationKey, "cursor");
    EXPECT_EQ(cursor.generation, 1u);
    EXPECT_EQ(newerRight.generation, 2u);
    EXPECT_TRUE(tracker.isCurrent(left));
    EXPECT_TRUE(tracker.isCurrent(cursor));
    EXPECT_FALSE(tracker.isCurrent(right));
    EXPECT_TRUE(tracker.isCurrent(newerRight));
    EXPECT_EQ(tracker.generation("NEVER"), 0u);
    EXPECT_FALSE(tracker.isCurrent({std::string("X"), "X", 1}));
}

} // namespace
} // namespace tessarin
