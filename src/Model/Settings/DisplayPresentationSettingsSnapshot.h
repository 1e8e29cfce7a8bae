#pragma once

#include "Model/Settings/DisplayOSDSettings.h"
#include "Model/Settings/DisplayOverlaySettings.h"
#include "Model/Settings/DisplayTitleOverlaySettings.h"
#include "Model/Settings/OSDGridAppearanceSettings.h"
#include "Model/Settings/OSDGridRearrangementBehavior.h"
#include "Model/Settings/OSDGridScreenshotCaptureMode.h"
#include "Model/Settings/OSDGridScreenshotTiming.h"

namespace tessarin {

// Every OSD, overlay and screenshot setting resolved for one display (or the global values).
struct DisplayPresentationSettingsSnapshot {
    DisplayOSDSettings osd;
    DisplayOverlaySettings overlay;
    DisplayTitleOverlaySettings titleOverlay;
    OSDGridAppearanceSettings osdAppearance;
    bool screenshotsEnabled = true;
    OSDGridScreenshotTiming screenshotTiming = kDefaultOSDGridScreenshotTiming;
    OSDGridScreenshotCaptureMode screenshotCaptureMode = kDefaultOSDGridScreenshotCaptureMode;
    bool activeSpaceAnimationEnabled = true;
    bool allowsMouseSelection = true;
    OSDGridRearrangementBehavior rearrangementBehavior = OSDGridRearrangementBehavior::swap;

    friend bool operator==(const DisplayPresentationSettingsSnapshot&,
                           const DisplayPresentationSettingsSnapshot&) = default;
};

} // namespace tessarin
