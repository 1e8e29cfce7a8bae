#pragma once

#include "Core/Settings/DisplayOSDSettings.h"
#include "Core/Settings/DisplayOverlaySettings.h"
#include "Core/Settings/DisplayTitleOverlaySettings.h"
#include "UI/Settings/OSDGridAppearanceSettings.h"
#include "UI/Settings/OSDGridRearrangementBehavior.h"
#include "UI/Settings/OSDGridScreenshotCaptureMode.h"
#include "UI/Settings/OSDGridScreenshotTiming.h"

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
