#include "Model/Settings/GeneralSettingsNormalization.h"

#include "Model/Settings/MenuBarIconSetting.h"
#include "Model/Settings/OSDGridAppIconsSetting.h"

namespace tessarin {

namespace {

void removeUnlessBool(UserDefaults& defaults, const char* key) {
    const auto stored = defaults.object(key);
    if (stored && !stored->isBool())
        defaults.remove(key);
}

void removeUnlessString(UserDefaults& defaults, const char* key) {
    const auto stored = defaults.object(key);
    if (stored && !stored->isString())
        defaults.remove(key);
}

// The OSD duration must be a whole, non-negative number of milliseconds; a whole double is
// stored back as an integer, anything else is removed (the OSD then uses its default).
void normalizeDuration(UserDefaults& defaults) {
    const auto stored = defaults.object(GeneralSettingsNormalization::durationKey);
    if (!stored || stored->isInteger()) {
        if (stored && *stored->integerValue() < 0)
            defaults.remove(GeneralSettingsNormalization::durationKey);
        return;
    }
    const auto milliseconds = stored->integerValue();
    if (milliseconds && *milliseconds >= 0)
        defaults.set(GeneralSettingsNormalization::durationKey, *milliseconds);
    else
        defaults.remove(GeneralSettingsNormalization::durationKey);
}

} // namespace

void GeneralSettingsNormalization::apply(UserDefaults& defaults) {
    normalize<MenuBarIconSetting>(defaults);
    removeUnlessBool(defaults, OSDGridAppIconsSetting::key);
    removeUnlessBool(defaults, screenshotsEnabledKey);
    removeUnlessBool(defaults, screenshotsEnablePendingKey);
    removeUnlessString(defaults, screenshotPanelShapeKey);
    normalizeDuration(defaults);
}

} // namespace tessarin
