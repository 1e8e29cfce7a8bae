#pragma once

#include "Platform/Preferences/UserDefaults.h"

namespace tessarin {

// Repairs the general settings in the user defaults before anything reads them: the status-item
// icon setting and its older key, and the general OSD keys. A value of the wrong type is removed
// so that the key reads as its default; valid values are never touched.
struct GeneralSettingsNormalization {
    static constexpr const char* screenshotsEnabledKey = "osdGridSpaceScreenshotsEnabled";
    static constexpr const char* screenshotsEnablePendingKey =
        "osdGridSpaceScreenshotsEnablePending";
    static constexpr const char* screenshotPanelShapeKey = "osdGridSpaceScreenshotPanelShape";
    static constexpr const char* durationKey = "osdDurationMs";

    static void apply(UserDefaults& defaults);
};

} // namespace tessarin
