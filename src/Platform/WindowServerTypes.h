#pragma once

#include "Support/Geometry.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tessarin {

using DisplayID = uint32_t;
using SpaceID = uint64_t;
using WindowID = uint32_t;

// Space types as the window server reports them.
inline constexpr int kSpaceTypeUserDesktop = 0;
inline constexpr int kSpaceTypeFullScreen = 4;

// The display identifier of the single Space list when displays share one set of Spaces.
inline constexpr const char* kSharedSpacesDisplayIdentifier = "Main";

struct ManagedSpace {
    SpaceID id64 = 0;
    int type = kSpaceTypeUserDesktop; // 0 user desktop, 4 full-screen
    std::string uuid;
    friend bool operator==(const ManagedSpace&, const ManagedSpace&) = default;
};

// The names Spaces carry of their own, by Space ID. Kept beside the Spaces rather than in each:
// most have none, and every read of the Space lists copies them.
using OwnSpaceTitles = std::map<SpaceID, std::string>;

struct ManagedDisplaySpaces {
    std::string displayIdentifier; // a display UUID, or "Main" when displays share Spaces
    std::optional<ManagedSpace> currentSpace;
    std::vector<ManagedSpace> spaces;
    OwnSpaceTitles ownTitles{};
    friend bool operator==(const ManagedDisplaySpaces&, const ManagedDisplaySpaces&) = default;
};

struct WindowInfo {
    WindowID number = 0;
    int32_t ownerPID = 0;
    std::string ownerName;
    std::optional<std::string> name;
    Rect bounds; // window-server coordinates, y down
    int layer = 0;
    double alpha = 1.0;
    int sharingState = 1; // 0 none, 1 read-only, 2 read-write
    bool isOnscreen = false;
    friend bool operator==(const WindowInfo&, const WindowInfo&) = default;
};

struct SymbolicHotKeyValue {
    uint16_t keyEquivalent = 0;
    uint16_t virtualKeyCode = 0;
    uint64_t modifierFlags = 0; // event flag masks (Control 0x40000 ...)
    friend bool operator==(const SymbolicHotKeyValue&, const SymbolicHotKeyValue&) = default;
};

// Options of the window list, as the window server takes them.
namespace WindowListOption {
inline constexpr uint32_t all = 0;
inline constexpr uint32_t onScreenOnly = 1 << 0;
inline constexpr uint32_t onScreenAboveWindow = 1 << 1;
inline constexpr uint32_t onScreenBelowWindow = 1 << 2;
inline constexpr uint32_t includingWindow = 1 << 3;
inline constexpr uint32_t excludeDesktopElements = 1 << 4;
} // namespace WindowListOption

// Masks of the Spaces-for-windows lookup: current Spaces, other Spaces, user Spaces; 7 is all.
namespace SpaceMask {
inline constexpr int includesCurrent = 1 << 0;
inline constexpr int includesOthers = 1 << 1;
inline constexpr int includesUser = 1 << 2;
inline constexpr int all = includesCurrent | includesOthers | includesUser;
} // namespace SpaceMask

} // namespace tessarin
