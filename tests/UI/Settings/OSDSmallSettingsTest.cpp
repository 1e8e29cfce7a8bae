#include "UI/Settings/OSDAllowsMouseSelectionSetting.h"
#include "UI/Settings/OSDGridAppIconsSetting.h"
#include "UI/Settings/OSDGridRearrangementBehavior.h"
#include "UI/Settings/OSDGridShuffleRearrangingSetting.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

// Both values round-trip through the store; a missing or non-Boolean value reads as the default.
template <class Setting> void expectBooleanSetting(const char* key, bool defaultValue) {
    SCOPED_TRACE(key);
    UserDefaults defaults;
    EXPECT_EQ(Setting::persisted(defaults), defaultValue);
    defaults.set(key, 1);
    EXPECT_EQ(Setting::persisted(defaults), defaultValue) << "a number is not a Boolean";
    for (const bool value : {!defaultValue, defaultValue}) {
        Setting::persist(value, defaults);
        EXPECT_EQ(defaults.object(key), PropertyValue(value));
        EXPECT_EQ(Setting::persisted(defaults), value);
    }
}

TEST(OSDSmallSettings, KeysAndDefaults) {
    expectBooleanSetting<OSDGridAppIconsSetting>("osdGridAppIconsEnabled", true);
    expectBooleanSetting<OSDAllowsMouseSelectionSetting>("osdAllowsMouseSelection", true);
    expectBooleanSetting<OSDGridShuffleRearrangingSetting>("osdShuffleWhenRearranging", false);
}

TEST(OSDSmallSettings, ShuffleSettingChoosesTheBehaviour) {
    EXPECT_EQ(rearrangementBehavior(true), OSDGridRearrangementBehavior::shuffle);
    EXPECT_EQ(rearrangementBehavior(false), OSDGridRearrangementBehavior::swap);
}

} // namespace
} // namespace tessarin
