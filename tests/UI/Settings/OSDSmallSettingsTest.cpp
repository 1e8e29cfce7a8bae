#include "UI/Settings/OSDAllowsMouseSelectionSetting.h"
#include "UI/Settings/OSDGridAppIconsSetting.h"
#include "UI/Settings/OSDGridShuffleRearrangingSetting.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

template <class Setting> void expectBooleanSetting(const char* key, bool defaultValue) {
    UserDefaults defaults;
    EXPECT_EQ(Setting::persisted(defaults), defaultValue) << key;
    defaults.set(key, 1);
    EXPECT_EQ(Setting::persisted(defaults), defaultValue) << key << ": a number is not a Boolean";
    Setting::persist(!defaultValue, defaults);
    EXPECT_EQ(defaults.object(key), PropertyValue(!defaultValue));
    EXPECT_EQ(Setting::persisted(defaults), !defaultValue);
}

TEST(OSDSmallSettings, KeysAndDefaults) {
    expectBooleanSetting<OSDGridAppIconsSetting>("osdGridAppIconsEnabled", true);
    expectBooleanSetting<OSDAllowsMouseSelectionSetting>("osdAllowsMouseSelection", true);
    expectBooleanSetting<OSDGridShuffleRearrangingSetting>("osdShuffleWhenRearranging", false);
}

} // namespace
} // namespace tessarin
