#include "UI/PersistentGridOverlayOpacity.h"

#include <gtest/gtest.h>
#include <ostream>

namespace tessarin {
namespace {

TEST(PersistentGridOverlayOpacity, AcceptsExactlyTheElevenPercentages) {
    int count = 0;
    for (int percent = -20; percent <= 120; ++percent) {
        const auto opacity = fromRawValue<PersistentGridOverlayOpacity>(percent);
        if (percent >= 0 && percent <= 100 && percent % 10 == 0) {
            ASSERT_TRUE(opacity) << percent;
            EXPECT_EQ(rawValue(*opacity), percent);
            ++count;
        } else {
            EXPECT_EQ(opacity, std::nullopt) << percent;
        }
    }
    EXPECT_EQ(count, 11);
    EXPECT_EQ(allCases<PersistentGridOverlayOpacity>().size(), 11u);
    EXPECT_EQ(rawValue(allCases<PersistentGridOverlayOpacity>()[4]), 40)
        << "ten times the position";
}

struct PersistedCase {
    const char* name;
    std::optional<PropertyValue> stored;
    int expectedPercent;
};

void PrintTo(const PersistedCase& value, std::ostream* out) {
    *out << value.name;
}

class PersistentGridOverlayOpacityPersistedTest : public ::testing::TestWithParam<PersistedCase> {};

TEST_P(PersistentGridOverlayOpacityPersistedTest, ReadsValidPercentagesOnly) {
    const auto& c = GetParam();
    UserDefaults defaults;
    if (c.stored)
        defaults.set("persistentGridOverlayOpacityPercent", *c.stored);
    EXPECT_EQ(rawValue(persisted<PersistentGridOverlayOpacity>(defaults)), c.expectedPercent);
}

INSTANTIATE_TEST_SUITE_P(
    Table, PersistentGridOverlayOpacityPersistedTest,
    ::testing::Values(PersistedCase{"missing", std::nullopt, 10}, PersistedCase{"fifty", 50, 50},
                      PersistedCase{"zero", 0, 0}, PersistedCase{"wholeDouble", 70.0, 70},
                      PersistedCase{"fifteen", 15, 10}, PersistedCase{"text", "50", 10},
                      PersistedCase{"boolean", true, 10}, PersistedCase{"tooLarge", 110, 10}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace tessarin
