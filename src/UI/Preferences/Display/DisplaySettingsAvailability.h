#pragma once

#include "Model/Settings/GridWrapStyle.h"
#include "Model/Settings/OSDGridScreenshotCaptureMode.h"
#include "Model/Settings/OSDGridScreenshotTiming.h"

#include <optional>
#include <string>

namespace tessarin {

// What decides which rows of the Display page's sheets can be used.
struct DisplaySettingsAvailabilityInputs {
    bool osdEnabled = true;
    bool gridModeEnabled = true;
    bool overlayEnabled = false;
    bool titleOverlayEnabled = false;
    // Space screenshots need system 14 and the Screen Recording permission.
    int systemMajorVersion = 14;
    bool screenRecordingGranted = true;
    bool activeColorIsSystemHighlight = false;
};

// Which groups of rows are enabled. The main page's own rows never are disabled.
struct DisplaySettingsAvailability {
    bool osdControls = false;
    bool screenshots = false;
    bool activeColorWell = false;
    bool overlayControls = false;
    bool titleOverlayControls = false;

    static DisplaySettingsAvailability of(const DisplaySettingsAvailabilityInputs& inputs);
    friend bool operator==(const DisplaySettingsAvailability&,
                           const DisplaySettingsAvailability&) = default;
};

// The sentences of the Display page that follow a setting or the system.
namespace DisplaySettingsText {

// Why Space screenshots cannot be taken; nothing when they can.
std::optional<std::string> screenshotUnavailableReason(int systemMajorVersion,
                                                       bool screenRecordingGranted);
// The "Preview Snapshot" row's detail.
std::string previewSnapshotDetail(int systemMajorVersion, bool screenRecordingGranted);
// Nothing selected reads as the first choice (timing) or as window previews (capture mode).
std::string screenshotTimingDetail(std::optional<OSDGridScreenshotTiming> timing);
std::string screenshotCaptureModeDetail(std::optional<OSDGridScreenshotCaptureMode> mode);
std::string wrapStyleDetail(std::optional<GridWrapStyle> style);
std::string displayOverridesDetail(const std::string& displayName, bool hasOverrides);

} // namespace DisplaySettingsText

} // namespace tessarin
