#pragma once

#include "Core/DisplayOSDSettings.h"
#include "Core/DisplayOverlaySettings.h"
#include "Core/DisplayTitleOverlaySettings.h"
#include "UI/OSDGridAppearanceSettings.h"
#include "UI/OSDGridRearrangementBehavior.h"
#include "UI/OSDGridScreenshotCaptureMode.h"
#include "UI/OSDGridScreenshotTiming.h"

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
