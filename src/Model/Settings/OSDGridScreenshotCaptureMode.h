#pragma once

#include "Model/Settings/PersistedSetting.h"
#include "Model/Settings/RawValue.h"

#include <array>
#include <string>

namespace tessarin {

// Where grid snapshots come from: the captured screen or composed window previews
// ("osdGridScreenshotCaptureMode", global only).
enum class OSDGridScreenshotCaptureMode { screen, window };

inline std::string rawValue(OSDGridScreenshotCaptureMode value) {
    switch (value) {
    case OSDGridScreenshotCaptureMode::screen:
        return "screen";
    case OSDGridScreenshotCaptureMode::window:
        return "window";
    }
    return {};
}

template <> constexpr auto allCases<OSDGridScreenshotCaptureMode>() {
    return std::array{OSDGridScreenshotCaptureMode::screen, OSDGridScreenshotCaptureMode::window};
}

template <>
inline std::optional<OSDGridScreenshotCaptureMode>
fromRawValue<OSDGridScreenshotCaptureMode>(std::string_view raw) {
    return caseWithRawValue<OSDGridScreenshotCaptureMode>(raw);
}

inline constexpr const char* kOSDGridScreenshotCaptureModeKey = "osdGridScreenshotCaptureMode";
inline constexpr OSDGridScreenshotCaptureMode kDefaultOSDGridScreenshotCaptureMode =
    OSDGridScreenshotCaptureMode::window;

// The stored global value; window when missing or unknown.
template <>
inline OSDGridScreenshotCaptureMode
persisted<OSDGridScreenshotCaptureMode>(const UserDefaults& defaults) {
    return persistedCase(defaults, kOSDGridScreenshotCaptureModeKey,
                         kDefaultOSDGridScreenshotCaptureMode);
}

} // namespace tessarin
