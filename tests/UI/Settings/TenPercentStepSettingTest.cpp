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

TYPED_TEST(TenPercentStepSettingTest, CasesAreTheElevenPercentages) {
    std::vector<int> percents;
    for (const TypeParam value : allCases<TypeParam>()) {
        percents.push_back(rawValue(value));
    }
    EXPECT_EQ(percents, (std::vector{0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100}));
}

TYPED_TEST(TenPercentStepSettingTest, ReadsEveryPercentageAndNothingElse) {
    const char* key = Traits<TypeParam>::key;
    UserDefaults defaults;
    EXPECT_EQ(rawValue(persisted<TypeParam>(defaults)), Traits<TypeParam>::defaultPercent);
    for (const TypeParam value : allCases<TypeParam>()) {
        defaults.set(key, rawValue(value));
        EXPECT_EQ(persisted<TypeParam>(defaults), value);
    }
    defaults.set(key, 70.0);
    EXPECT_EQ(rawValue(persisted<TypeParam>(defaults)), 70) << "a whole double";
    for (const PropertyValue& other : {PropertyValue(15), PropertyValue(-10), PropertyValue(110),
                                       PropertyValue("50"), PropertyValue(true)}) {
        defaults.set(key, other);
        EXPECT_EQ(rawValue(persisted<TypeParam>(defaults)), Traits<TypeParam>::defaultPercent);
    }
}

} // namespace
} // namespace tessarin
