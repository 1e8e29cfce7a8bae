#include "Core/WindowThrow/FocusedWindowThrowCandidate.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

TEST(FocusedWindowThrowCandidateTests, BelongsOnlyToThePressItWasTakenIn) {
    const FocusedWindowThrowCandidate candidate{42, 501, 7, {11}};
    EXPECT_TRUE(candidate.belongsToDrag(7));
    EXPECT_FALSE(candidate.belongsToDrag(8));            // a later press
    EXPECT_FALSE(candidate.belongsToDrag(std::nullopt)); // the button was released
}

} // namespace
} // namespace tessarin
