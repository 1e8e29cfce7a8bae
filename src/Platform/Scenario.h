#pragma once

#include "Platform/OperatingSystemVersion.h"
#include "Platform/RunningApplication.h"
#include "Platform/Screen.h"
#include "Platform/ScreenCapture/PreviewServicesScenario.h"
#include "Platform/SetupServicesScenario.h"
#include "Platform/SystemServices.h"
#include "Platform/WindowServer.h"
#include "Platform/WindowServerTypes.h"
#include "Support/Geometry.h"
#include "Support/Json.h"

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tessarin {

struct ScenarioSpace {
    SpaceID id = 0;
    int type = kSpaceTypeUserDesktop;
    std::string uuid;                 // empty: made from the ID
    std::optional<std::string> title; // the Space's own, also kept in the Spaces configuration
    friend bool operator==(const ScenarioSpace&, const ScenarioSpace&) = default;
};

struct ScenarioSpaceList {
    std::string displayIdentifier; // a display UUID, or "Main" for shared Spaces
    std::vector<ScenarioSpace> spaces;
    SpaceID currentSpace = 0; // 0: the first Space
    friend bool operator==(const ScenarioSpaceList&, const ScenarioSpaceList&) = default;
};

// The world a host starts from: displays, Spaces, applications and their windows, permissions,
// the system version and the other programs' preference domains.
struct Scenario {
    std::vector<Screen> displays; // main screen first
    bool displaysHaveSeparateSpaces = true;
    std::vector<ScenarioSpaceList> spaceLists;
    std::optional<DisplayID> activeMenuBarDisplay; // none: the main screen
    std::optional<Point> mouseLocation;            // screen coordinates; none: main screen centre
    std::vector<RunningApplication> applications;
    std::optional<int32_t> frontmostApplication;
    std::vector<ServerWindow> windows; // front to back
    bool accessibilityTrusted = true;
    bool screenCaptureAllowed = true;
    OperatingSystemVersion operatingSystemVersion{15, 0, 0};
    Appearance appearance = Appearance::light;
    // Raw JSON objects of plain values, by domain name ("com.apple.dock", ...).
    std::map<std::string, Json> preferenceDomains;
    double dockAnimationDuration = 0.3;
    int32_t dockProcessIdentifier = 97;
    bool multitouchFramework = true; // the trackpad's framework is installed
    // Setup services: privacy decisions, the program's bundle, login item, System Settings,
    // command-line tools (their JSON form is in SetupServicesScenario.h).
    SetupServicesScenario setupServices;
    // Window previews: icons, desktop pictures, window titles, window-list extras, capture
    // faults (their JSON form is in ScreenCapture/PreviewServicesScenario.h).
    PreviewServicesScenario previewServices;

    friend bool operator==(const Scenario&, const Scenario&) = default;

    // Two displays with separate Spaces (6 and 4), a handful of applications with windows on
    // several Spaces.
    static Scenario defaultScenario();
};

// The JSON form (members marked * are required; rectangles are [x, y, width, height]):
//   "displays"*: [{"id"*, "uuid"*, "name", "frame"* (y up, the main screen's bottom-left at
//                  0,0), "visibleFrame" (default: the frame), "scale" (default 2)}], main first
//   "separateSpaces": true (default) | false
//   "spaces"*: [{"display"* (a display UUID, or "Main" for shared Spaces), "current" (a Space ID;
//                default: the first), "spaces"*: [{"id"*, "type" (0 desktop, 4 full screen),
//                "uuid", "title"}]}]
//   "activeMenuBarDisplay": a display ID;  "mouseLocation": [x, y] (y up)
//   "applications": [{"pid"*, "name"*, "bundleIdentifier", "frontmost"}]
//   "windows": [{"pid"*, "owner" (default: the application's name), "title", "bounds"*
//               (window-server coordinates, y down), "spaces" (IDs; required unless sticky),
//               "layer", "alpha", "sharingState", "sticky", "orderedOut", "id"}], front to back
//   "permissions": {"accessibility", "screenCapture"};  "operatingSystemVersion": [15, 3, 0]
//   "appearance": "light" | "dark";  "dockAnimationDuration": seconds;
//   "dockProcessIdentifier"; "multitouchFramework": bool; "preferenceDomains": {"<domain>": {plain
//   JSON values}}; "privacy", "program", "loginItem", "systemSettings", "tools" (setup services);
//   "applicationIcons", "desktopPictures", "windowTitles", "windowListExtras", "screenCapture"
//   (window previews)
//
// Bounds well above any real machine: the program's work and memory grow with displays, Spaces
// and windows, so a scenario beyond them is refused whole (and a file larger than
// kMaxJsonFileBytes is not read at all).
inline constexpr std::size_t kMaxScenarioDisplays = 64;
inline constexpr std::size_t kMaxScenarioSpacesPerDisplay = 256;
inline constexpr std::size_t kMaxScenarioWindows = 20000;
// A display's frame (and the pointer) lies within these many points of the origin, and each side
// of a display is from 1 to kMaxScenarioDisplaySide points: the largest panels made are well
// inside, and every display's picture can still be drawn.
inline constexpr int kMaxScenarioCoordinate = 1000000;
inline constexpr int kMaxScenarioDisplaySide = 16384;

// A scenario read from JSON, or an error that names the source and the problem; never half.
struct ScenarioParseResult {
    std::optional<Scenario> scenario;
    std::string error;
    explicit operator bool() const { return scenario.has_value(); }
};

ScenarioParseResult parseScenario(const Json& json, const std::string& sourceName);
ScenarioParseResult parseScenarioText(std::string_view text, const std::string& sourceName);
ScenarioParseResult loadScenarioFile(const std::filesystem::path& path);

// The JSON form of a scenario, which parseScenario reads back as the same scenario.
Json scenarioToJson(const Scenario& scenario);

} // namespace tessarin
