#include "UI/OSDActiveSpaceGlowOpacity.h"

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

class OSDActiveSpaceGlowOpacityNormalizeTest : public ::testing::TestWithParam<NormalizeCase> {};

TEST_P(OSDActiveSpaceGlowOpacityNormalizeTest, BringsAnyIntegerToAnAllowedValue) {
    const auto& c = GetParam();
    EXPECT_EQ(OSDActiveSpaceGlowOpacity::normalizedValue(c.raw), c.expected) << c.raw;
    EXPECT_EQ(OSDActiveSpaceGlowOpacity(c.raw).rawValue, c.expected)
        << "the constructor normalises too";
}

INSTANTIATE_TEST_SUITE_P(Table, OSDActiveSpaceGlowOpacityNormalizeTest,
                         ::testing::Values(NormalizeCase{100, 100}, NormalizeCase{55, 55},
                                           NormalizeCase{52, 50}, NormalizeCase{53, 55},
                                           NormalizeCase{-3, 0}, NormalizeCase{0, 0},
                                           NormalizeCase{101, 100}, NormalizeCase{250, 100}));

TEST(OSDActiveSpaceGlowOpacity, DefaultValue) {
    EXPECT_EQ(OSDActiveSpaceGlowOpacity().rawValue, 100);
}

TEST(OSDActiveSpaceGlowOpacity, PersistedReadsAStoredNumber) {
    UserDefaults defaults;
    EXPECT_EQ(OSDActiveSpaceGlowOpacity::persisted(defaults).rawValue, 100);
    defaults.set("osdActiveSpaceGlowOpacityPercent", 1000);
    EXPECT_EQ(OSDActiveSpaceGlowOpacity::persisted(defaults), OSDActiveSpaceGlowOpacity(1000));
    defaults.set("osdActiveSpaceGlowOpacityPercent", "4");
    EXPECT_EQ(OSDActiveSpaceGlowOpacity::persisted(defaults).rawValue, 100);
}

} // namespace
} // namespace tessarin
