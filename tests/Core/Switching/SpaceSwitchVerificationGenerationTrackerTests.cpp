#include "Core/Switching/SpaceSwitchVerificationGenerationTracker.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

TEST(SpaceSwitchVerificationGenerationTrackerTests, AttemptsWithoutDisplayCountUnderCursor) {
    SpaceSwitchVerificationGenerationTracker tracker;
    const auto attempt = tracker.begin(std::nullopt);
    EXPECT_EQ(attempt.displayIdentifier, std::nullopt);
    EXPECT_EQ(attempt.generationKey, "cursor");
    EXPECT_EQ(attempt.generation, 1u);
    EXPECT_TRUE(tracker.isCurrent(attempt));
}

TEST(SpaceSwitchVerificationGenerationTrackerTests, NewerAttemptOnTheSameKeySupersedes) {
    SpaceSwitchVerificationGenerationTracker tracker;
    const auto first = tracker.begin(std::string("LEFT"));
    const auto second = tracker.begin(std::string("LEFT"));
    EXPECT_EQ(first.generation, 1u);
    EXPECT_EQ(second.generation, 2u);
    EXPECT_FALSE(tracker.isCurrent(first));
    EXPECT_TRUE(tracker.isCurrent(second));
    EXPECT_EQ(tracker.generation("LEFT"), 2u);
}

TEST(SpaceSwitchVerificationGenerationTrackerTests, KeysAreIndependent) {
    SpaceSwitchVerificationGenerationTracker tracker;
    const auto left = tracker.begin(std::string("LEFT"));
    const auto cursor = tracker.begin(std::nullopt);
    const auto right = tracker.begin(std::string("RIGHT"));
    tracker.begin(std::string("RIGHT"));
    EXPECT_TRUE(tracker.isCurrent(left));
    EXPECT_TRUE(tracker.isCurrent(cursor));
    EXPECT_FALSE(tracker.isCurrent(right));
    EXPECT_EQ(tracker.generation("cursor"), 1u);
    EXPECT_EQ(tracker.generation("NEVER"), 0u);
}

TEST(SpaceSwitchVerificationGenerationTrackerTests, DisplayAttemptDoesNotSupersedeCursorAttempt) {
    // A switch on a named display and one on the pointer's display are told apart even when
    // the pointer happens to be on that display.
    SpaceSwitchVerificationGenerationTracker tracker;
    const auto cursor = tracker.begin(std::nullopt);
    tracker.begin(std::string("LEFT"));
    EXPECT_TRUE(tracker.isCurrent(cursor));
}

TEST(SpaceSwitchVerificationGenerationTrackerTests, AttemptNeverBegunIsNotCurrent) {
    SpaceSwitchVerificationGenerationTracker tracker;
    EXPECT_FALSE(tracker.isCurrent(SpaceSwitchVerificationAttempt{}));
    EXPECT_FALSE(tracker.isCurrent({std::string("X"), "X", 1}));
}

} // namespace
} // namespace tessarin
