#pragma once

#include "Platform/Preferences/PropertyValue.h"
#include "Platform/ScreenCapture/ApplicationIcons.h"
#include "Platform/ScreenCapture/ApplicationWindowTitles.h"
#include "Platform/ScreenCapture/DesktopPictures.h"
#include "Platform/ScreenCapture/ScreenCapture.h"
#include "Support/Json.h"

#include <map>
#include <optional>
#include <string>

namespace tessarin {

// The part of a scenario that window previews read: application icons, desktop pictures, the
// titles of applications' windows, raw extra window-list entries and capture faults.
struct PreviewServicesScenario {
    // By process identifier; absent: drawn from the identifier; none: no icon.
    std::map<int32_t, std::optional<ApplicationIconSpec>> applicationIcons;
    std::map<std::string, DesktopPictureSpec> desktopPictures; // by screen UUID
    std::map<int32_t, ApplicationWindowTitlesSpec> windowTitles;
    PropertyArray windowListExtras;
    std::map<ScreenCaptureOperation, ScreenCaptureFault> captureFaults;
    friend bool operator==(const PreviewServicesScenario&,
                           const PreviewServicesScenario&) = default;
};

// The JSON form, members of the scenario's root object:
//   "applicationIcons": {"<pid>": "#rrggbb" | {"color": "#rrggbb", "size": 1...1024} | null}
//   "desktopPictures": {"<screen UUID>": "#rrggbb" | "missing" | "unreadable"}
//   "windowTitles": {"<pid>": {"focused": text, "main": text}}
//   "windowListExtras": [plain JSON values appended to the window list]
//   "screenCapture": {"shareableContent" | "display" | "window": "error" | "noImage"}
// Reads those members; answers the first problem as "member: problem", or nothing.
std::optional<std::string> readPreviewServicesScenario(const Json& root,
                                                       PreviewServicesScenario& scenario);
void writePreviewServicesScenario(const PreviewServicesScenario& scenario, Json& root);

} // namespace tessarin
