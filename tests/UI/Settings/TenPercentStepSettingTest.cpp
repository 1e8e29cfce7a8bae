#include "UI/Settings/OSDGridOpacity.h"
#include "UI/Settings/PersistentGridOverlayOpacity.h"
#include "UI/Settings/PersistentTitleOverlayOpacity.h"

#include <gtest/gtest.h>
#include <string>

namespace tessarin {
namespace {

// The three opacity settings share their rules; each has its own key and default.
template <class E> struct Traits;
template <> struct Traits<OSDGridOpacity> {
    static constexpr const char* key = "osdGridOpacityPercent";
    static constexpr int defaultPercent = 90;
};
template <> struct Traits<PersistentGridOverlayOpacity> {
    static constexpr const char* key = "persistentGridOverlayOpacityPercent";
    static constexpr int defaultPercent = 10;
};
template <> struct Traits<PersistentTitleOverlayOpacity> {
    static constexpr const char* key = "persistentTitleOverlayOpacityPercent";
    static constexpr int defaultPercent = 10;
};

template <class E> class TenPercentStepSettingTest : public ::testing::Test {};
using OpacitySettings =
    ::testing::Types<OSDGridOpacity, PersistentGridOverlayOpacity, PersistentTitleOverlayOpacity>;
TYPED_TEST_SUITE(TenPercentStepSettingTest, OpacitySettings);

TYPED_TEST(TenPercentStepSettingTest, AcceptsExactlyTheElevenPercentages) {
    int count = 0;
    for (int percent = -20; percent <= 120; ++percent) {
        const auto opacity = fromRawValue<TypeParam>(percent);
        if (percent >= 0 && percent <= 100 && percent % 10 == 0) {
            ASSERT_TRUE(opacity) << percent;
            EXPECT_EQ(rawValue(*opacity), percent);
            ++count;
        } else {
            EXPECT_EQ(opacity, std::nullopt) << percent;
        }
    }
    EXPECT_EQ(count, 11);
    const auto cases = allCases<TypeParam>();
    ASSERT_EQ(cases.size(), 11u);
    EXPECT_EQ(rawValue(cases[4]), 40) << "ten times the position";
}

TYPED_TEST(TenPercentStepSettingTest, ReadsValidPercentagesOnly) {
    struct Case {
        const char* name;
        std::optional<PropertyValue> stored;
        std::optional<int> expectedPercent; // none: the setting's default
    };
    const Case cases[] = {
        {"missing", std::nullopt, std::nullopt},
        {"fifty", 50, 50},
        {"zero", 0, 0},
        {"wholeDouble", 70.0, 70},
        {"fifteen", 15, std::nullopt},
        {"text", "50", std::nullopt},
        {"boolean", true, std::nullopt},
        {"tooLarge", 110, std::nullopt},
    };
    for (const Case& c : cases) {
        UserDefaults defaults;
        if (c.stored) {
            defaults.set(Traits<TypeParam>::key, *c.stored);
        }
        EXPECT_EQ(rawValue(persisted<TypeParam>(defaults)),
                  c.expectedPercent.value_or(Traits<TypeParam>::defaultPercent))
            << c.name;
    }
}

} // namespace
} // namespace tessarin
