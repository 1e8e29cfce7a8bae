#include "UI/OSDPreviewTint.h"

#include <cmath>
#include <gtest/gtest.h>
#include <ostream>

namespace tessarin {
namespace {

struct NormalizeCase {
    int raw;
    int expected;
};

void PrintTo(const NormalizeCase& value, std::ostream* out) {
    *out << value.raw << " -> " << value.expected;
}

class OSDPreviewTintNormalizeTest : public ::testing::TestWithParam<NormalizeCase> {};

TEST_P(OSDPreviewTintNormalizeTest, BringsAnyIntegerToAnAllowedValue) {
    const auto& c = GetParam();
    EXPECT_EQ(OSDPreviewTint::normalizedValue(c.raw), c.expected) << c.raw;
    EXPECT_EQ(OSDPreviewTint(c.raw).rawValue, c.expected) << "the constructor normalises too";
}

INSTANTIATE_TEST_SUITE_P(Table, OSDPreviewTintNormalizeTest,
                         ::testing::Values(NormalizeCase{40, 40}, NormalizeCase{47, 45},
                                           NormalizeCase{48, 50}, NormalizeCase{42, 40},
                                           NormalizeCase{2, 0}, NormalizeCase{3, 5},
                                           NormalizeCase{-2, 0}, NormalizeCase{-3, 0},
                                           NormalizeCase{100, 100}, NormalizeCase{103, 100},
                                           NormalizeCase{150, 100}, NormalizeCase{2147483647, 100},
                                           NormalizeCase{-2147483648, 0}));

TEST(OSDPreviewTint, DefaultValue) {
    EXPECT_EQ(OSDPreviewTint().rawValue, 40);
}

TEST(OSDPreviewTint, PersistedReadsAndNormalisesTheStoredPercent) {
    UserDefaults defaults;
    EXPECT_EQ(OSDPreviewTint::persisted(defaults).rawValue, 40);
    defaults.set("osdPreviewTintPercent", 47);
    EXPECT_EQ(OSDPreviewTint::persisted(defaults).rawValue, 45);
    defaults.set("osdPreviewTintPercent", 62.4);
    EXPECT_EQ(OSDPreviewTint::persisted(defaults).rawValue, 60);
    defaults.set("osdPreviewTintPercent", 1.0e300);
    EXPECT_EQ(OSDPreviewTint::persisted(defaults).rawValue, 100);
    defaults.set("osdPreviewTintPercent", std::nan(""));
    EXPECT_EQ(OSDPreviewTint::persisted(defaults).rawValue, 40);
    defaults.set("osdPreviewTintPercent", -1.0e300);
    EXPECT_EQ(OSDPreviewTint::persisted(defaults).rawValue, 0);
    defaults.set("osdPreviewTintPercent", "20");
    EXPECT_EQ(OSDPreviewTint::persisted(defaults).rawValue, 40);
    defaults.set("osdPreviewTintPercent", true);
    EXPECT_EQ(OSDPreviewTint::persisted(defaults).rawValue, 40);
}

} // namespace
} // namespace tessarin
