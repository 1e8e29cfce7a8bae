#include "UI/OSDActiveSpaceBorderWidth.h"

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

class OSDActiveSpaceBorderWidthNormalizeTest : public ::testing::TestWithParam<NormalizeCase> {};

TEST_P(OSDActiveSpaceBorderWidthNormalizeTest, BringsAnyIntegerToAnAllowedValue) {
    const auto& c = GetParam();
    EXPECT_EQ(OSDActiveSpaceBorderWidth::normalizedValue(c.raw), c.expected) << c.raw;
    EXPECT_EQ(OSDActiveSpaceBorderWidth(c.raw).rawValue, c.expected)
        << "the constructor normalises too";
}

INSTANTIATE_TEST_SUITE_P(Table, OSDActiveSpaceBorderWidthNormalizeTest,
                         ::testing::Values(NormalizeCase{3, 3}, NormalizeCase{0, 1},
                                           NormalizeCase{-5, 1}, NormalizeCase{1, 1},
                                           NormalizeCase{8, 8}, NormalizeCase{9, 8},
                                           NormalizeCase{100, 8}));

TEST(OSDActiveSpaceBorderWidth, DefaultValue) {
    EXPECT_EQ(OSDActiveSpaceBorderWidth().rawValue, 3);
}

TEST(OSDActiveSpaceBorderWidth, PersistedReadsAStoredNumber) {
    UserDefaults defaults;
    EXPECT_EQ(OSDActiveSpaceBorderWidth::persisted(defaults).rawValue, 3);
    defaults.set("osdActiveSpaceBorderWidth", 1000);
    EXPECT_EQ(OSDActiveSpaceBorderWidth::persisted(defaults), OSDActiveSpaceBorderWidth(1000));
    defaults.set("osdActiveSpaceBorderWidth", "4");
    EXPECT_EQ(OSDActiveSpaceBorderWidth::persisted(defaults).rawValue, 3);
}

} // namespace
} // namespace tessarin
