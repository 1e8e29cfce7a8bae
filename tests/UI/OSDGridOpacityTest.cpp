#include "UI/OSDGridOpacity.h"

#include <gtest/gtest.h>
#include <ostream>

namespace tessarin {
namespace {

TEST(OSDGridOpacity, AcceptsExactlyTheElevenPercentages) {
    int count = 0;
    for (int percent = -20; percent <= 120; ++percent) {
        const auto opacity = fromRawValue<OSDGridOpacity>(percent);
        if (percent >= 0 && percent <= 100 && percent % 10 == 0) {
            ASSERT_TRUE(opacity) << percent;
            EXPECT_EQ(rawValue(*opacity), percent);
            ++count;
        } else {
            EXPECT_EQ(opacity, std::nullopt) << percent;
        }
    }
    EXPECT_EQ(count, 11);
    EXPECT_EQ(allCases<OSDGridOpacity>().size(), 11u);
    EXPECT_EQ(rawValue(allCases<OSDGridOpacity>()[4]), 40) << "ten times the position";
}

struct PersistedCase {
    const char* name;
    std::optional<PropertyValue> stored;
    int expectedPercent;
};

void PrintTo(const PersistedCase& value, std::ostream* out) {
    *out << value.name;
}

class OSDGridOpacityPersistedTest : public ::testing::TestWithParam<PersistedCase> {};

TEST_P(OSDGridOpacityPersistedTest, ReadsValidPercentagesOnly) {
    const auto& c = GetParam();
    UserDefaults defaults;
    if (c.stored)
        defaults.set("osdGridOpacityPercent", *c.stored);
    EXPECT_EQ(rawValue(persisted<OSDGridOpacity>(defaults)), c.expectedPercent);
}

INSTANTIATE_TEST_SUITE_P(
    Table, OSDGridOpacityPersistedTest,
    ::testing::Values(PersistedCase{"missing", std::nullopt, 90}, PersistedCase{"fifty", 50, 50},
                      PersistedCase{"zero", 0, 0}, PersistedCase{"wholeDouble", 70.0, 70},
                      PersistedCase{"fifteen", 15, 90}, PersistedCase{"text", "50", 90},
                      PersistedCase{"boolean", true, 90}, PersistedCase{"tooLarge", 110, 90}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace tessarin
