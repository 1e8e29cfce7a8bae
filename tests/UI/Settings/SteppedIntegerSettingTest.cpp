#include "UI/Settings/OSDActiveSpaceBorderWidth.h"
#include "UI/Settings/OSDActiveSpaceGlowOpacity.h"
#include "UI/Settings/OSDActiveSpaceGlowSpread.h"
#include "UI/Settings/OSDPreviewTint.h"

#include <climits>
#include <cmath>
#include <gtest/gtest.h>
#include <utility>
#include <vector>

namespace tessarin {
namespace {

// Each setting: its default and a table of raw values and what they normalise to.
template <class T> struct Expectations;
template <> struct Expectations<OSDPreviewTint> {
    static constexpr int defaultValue = 40;
    static std::vector<std::pair<int, int>> table() {
        return {{40, 40}, {47, 45},   {48, 50},   {42, 40},   {2, 0},         {3, 5},      {-2, 0},
                {-3, 0},  {100, 100}, {103, 100}, {150, 100}, {INT_MAX, 100}, {INT_MIN, 0}};
    }
};
template <> struct Expectations<OSDActiveSpaceGlowOpacity> {
    static constexpr int defaultValue = 100;
    static std::vector<std::pair<int, int>> table() {
        return {{100, 100}, {55, 55}, {52, 50}, {53, 55}, {-3, 0}, {0, 0}, {101, 100}, {250, 100}};
    }
};
template <> struct Expectations<OSDActiveSpaceGlowSpread> {
    static constexpr int defaultValue = 6;
    static std::vector<std::pair<int, int>> table() {
        return {{6, 6}, {4, 4},   {5, 6},   {3, 4},   {1, 2},      {-1, 0},
                {0, 0}, {47, 48}, {48, 48}, {50, 48}, {INT_MIN, 0}};
    }
};
template <> struct Expectations<OSDActiveSpaceBorderWidth> {
    static constexpr int defaultValue = 3;
    static std::vector<std::pair<int, int>> table() {
        return {{3, 3}, {0, 1}, {-5, 1}, {1, 1}, {8, 8}, {9, 8}, {100, 8}};
    }
};

template <class T> class SteppedIntegerSettingTest : public ::testing::Test {};
using Settings = ::testing::Types<OSDPreviewTint, OSDActiveSpaceGlowOpacity,
                                  OSDActiveSpaceGlowSpread, OSDActiveSpaceBorderWidth>;
TYPED_TEST_SUITE(SteppedIntegerSettingTest, Settings);

TYPED_TEST(SteppedIntegerSettingTest, BringsAnyIntegerToAnAllowedValue) {
    for (const auto& [raw, expected] : Expectations<TypeParam>::table()) {
        EXPECT_EQ(TypeParam::normalizedValue(raw), expected) << raw;
        EXPECT_EQ(TypeParam(raw).rawValue, expected) << raw << ": the constructor normalises too";
    }
    EXPECT_EQ(TypeParam().rawValue, Expectations<TypeParam>::defaultValue);
}

TYPED_TEST(SteppedIntegerSettingTest, ReadsAnyStoredNumberAndIgnoresTheRest) {
    const int fallback = Expectations<TypeParam>::defaultValue;
    UserDefaults defaults;
    EXPECT_EQ(TypeParam::persisted(defaults).rawValue, fallback);

    const struct {
        const char* name;
        PropertyValue stored;
        int expected;
    } cases[] = {
        {"huge integer", 1000, TypeParam(1000).rawValue},
        {"fraction", 62.4, TypeParam(62).rawValue},
        {"huge double", 1.0e300, TypeParam(1000).rawValue},
        {"huge negative double", -1.0e300, TypeParam(-1000).rawValue},
        {"not a number", std::nan(""), fallback},
        {"text", "4", fallback},
        {"boolean", true, fallback},
    };
    for (const auto& c : cases) {
        defaults.set(TypeParam::key, c.stored);
        EXPECT_EQ(TypeParam::persisted(defaults).rawValue, c.expected) << c.name;
    }
}

} // namespace
} // namespace tessarin
