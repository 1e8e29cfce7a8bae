#include "UI/Preferences/Display/DisplaySettingsAvailability.h"

namespace tessarin {

DisplaySettingsAvailability
DisplaySettingsAvailability::of(const DisplaySettingsAvailabilityInputs& inputs) {
    DisplaySettingsAvailability availability;
    availability.osdControls = inputs.osdEnabled && inputs.gridModeEnabled;
    availability.screenshots =
        availability.osdControls && !DisplaySettingsText::screenshotUnavailableReason(
                                        inputs.systemMajorVersion, inputs.screenRecordingGranted);
    availability.activeColorWell = !inputs.activeColorIsSystemHighlight;
    availability.overlayControls = inputs.overlayEnabled;
    availability.titleOverlayControls = inputs.titleOverlayEnabled;
    return availability;
}

namespace DisplaySettingsText {

std::optional<std::string> screenshotUnavailableReason(int systemMajorVersion,
                                                       bool screenRecordingGranted) {
    if (systemMajorVersion < 14) {
        return "Space screenshots require macOS 14 or later.";
    }
    if (!screenRecordingGranted) {
        return "Screen Recording permission is not granted.";
    }
    return std::nullopt;
}

std::string previewSnapshotDetail(int systemMajorVersion, bool screenRecordingGranted) {
    return screenshotUnavailableReason(systemMajorVersion, screenRecordingGranted)
        .value_or("Configure preview refresh timing and the source used for grid snapshot "
                  "thumbnails.");
}

std::string screenshotTimingDetail(std::optional<OSDGridScreenshotTiming> timing) {
    switch (timing.value_or(OSDGridScreenshotTiming::performant)) {
    case OSDGridScreenshotTiming::performant:
        break;
    case OSDGridScreenshotTiming::optimised:
        return "Refreshes Screen snapshots every 5 minutes and Window previews every 30 seconds.";
    case OSDGridScreenshotTiming::power:
        return "Refreshes Screen snapshots every minute and Window previews every 10 seconds.";
    }
    return "Takes a snapshot of the new space after moving.";
}

std::string screenshotCaptureModeDetail(std::optional<OSDGridScreenshotCaptureMode> mode) {
    if (mode == OSDGridScreenshotCaptureMode::screen) {
        return "Captures the active screen for grid snapshots.";
    }
    return "Composes inactive-space previews from WindowServer windows.";
}

std::string wrapStyleDetail(std::optional<GridWrapStyle> style) {
    if (style == GridWrapStyle::pacMan) {
        return "Horizontal moves wrap within the current row: right returns to the first space, "
               "left returns to the last space.";
    }
    return "Horizontal moves continue through the grid: right wraps to the next row, left wraps "
           "to the previous row.";
}

std::string displayOverridesDetail(const std::string& displayName, bool hasOverrides) {
    return displayName + (hasOverrides ? " has custom grid, space order, OSD, or overlay settings."
                                       : " is currently using the default display settings and "
                                         "system space order.");
}

} // namespace DisplaySettingsText

} // namespace tessarin
