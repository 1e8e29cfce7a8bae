#include "Core/WindowThrow/FocusedWindowThrowError.h"

#include <gtest/gtest.h>
#include <set>

namespace tessarin {
namespace {

TEST(FocusedWindowThrowErrorTests, RawValuesRoundTripAndAreDistinct) {
    std::set<std::string> seen;
    for (FocusedWindowThrowError error : allCases<FocusedWindowThrowError>()) {
        const std::string raw = rawValue(error);
        EXPECT_FALSE(raw.empty());
        EXPECT_TRUE(seen.insert(raw).second) << raw;
        EXPECT_EQ(fromRawValue<FocusedWindowThrowError>(raw), error);
    }
    EXPECT_EQ(rawValue(FocusedWindowThrowError::timedOut), "timed-out");
}

TEST(FocusedWindowThrowErrorTests, UnknownRawValueGivesNothing) {
    EXPECT_EQ(fromRawValue<FocusedWindowThrowError>("timedOut"), std::nullopt);
    EXPECT_EQ(fromRawValue<FocusedWindowThrowError>(""), std::nullopt);
}

} // namespace
} // namespace tessarin
