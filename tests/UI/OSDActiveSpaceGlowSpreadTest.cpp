#include "UI/OSDActiveSpaceGlowSpread.h"

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

class OSDActiveSpaceGlowSpreadNormalizeTest : public ::testing::TestWithParam<NormalizeCase> {};

TEST_P(OSDActiveSpaceGlowSpreadNormalizeTest, BringsAnyIntegerToAnAllowedValue) {
    const auto& c = GetParam();
    EXPECT_EQ(OSDActiveSpaceGlowSpread::normalizedValue(c.raw), c.expected) << c.raw;
    EXPECT_EQ(OSDActiveSpaceGlowSpread(c.raw).rawValue, c.expected)
        << "the constructor normalises too";
}

INSTANTIATE_TEST_SUITE_P(Table, OSDActiveSpaceGlowSpreadNormalizeTest,
                         ::testing::Values(NormalizeCase{6, 6}, NormalizeCase{4, 4},
                                           NormalizeCase{5, 6}, NormalizeCase{3, 4},
                                           NormalizeCase{1, 2}, NormalizeCase{-1, 0},
                                           NormalizeCase{0, 0}, NormalizeCase{47, 48},
                                           NormalizeCase{48, 48}, NormalizeCase{50, 48},
                                           NormalizeCase{-2147483648, 0}));

TEST(OSDActiveSpaceGlowSpread, DefaultValue) {
    EXPECT_EQ(OSDActiveSpaceGlowSpread().rawValue, 6);
}

TEST(OSDActiveSpaceGlowSpread, PersistedReadsAStoredNumber) {
    UserDefaults defaults;
    EXPECT_EQ(OSDActiveSpaceGlowSpread::persisted(defaults).rawValue, 6);
    defaults.set("osdActiveSpaceGlowSpread", 1000);
    EXPECT_EQ(OSDActiveSpaceGlowSpread::persisted(defaults), OSDActiveSpaceGlowSpread(1000));
    defaults.set("osdActiveSpaceGlowSpread", "4");
    EXPECT_EQ(OSDActiveSpaceGlowSpread::persisted(defaults).rawValue, 6);
}

} // namespace
} // namespace tessarin
