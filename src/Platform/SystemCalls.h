#pragma once

#include "Platform/WindowServerTypes.h"
#include "Support/Geometry.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tessarin {

struct Event; // Platform/Input/Event.h

// The operating-system calls that the bridge and the product make. The host fills every member;
// a test may set any of them to nullptr to withdraw that call, and callers must check for
// presence before use, as they would for a weakly linked symbol.
//
// Threads: the window-server calls (connection, Spaces, menu bar display, window list, window
// Spaces) are safe from any thread; the display calls (display list, bounds, UUIDs, the display
// under a point, the cursor) and the rest belong to the main thread.
struct SystemCalls {
    std::function<int()> mainConnectionID; // 0 = no connection
    std::function<SpaceID(int cid)> activeSpace;
    std::function<std::optional<std::vector<ManagedDisplaySpaces>>(int cid)>
        copyManagedDisplaySpaces;
    std::function<std::optional<std::string>(int cid)> copyActiveMenuBarDisplayIdentifier;
    std::function<std::optional<SymbolicHotKeyValue>(int hotKey)> symbolicHotKeyValue;
    std::function<bool(int hotKey)> isSymbolicHotKeyEnabled;
    std::function<int(int hotKey, bool enabled)> setSymbolicHotKeyEnabled; // 0 = success
    std::function<std::optional<std::vector<SpaceID>>(int cid, int mask,
                                                      const std::vector<WindowID>&)>
        copySpacesForWindows;
    std::function<std::optional<std::vector<WindowInfo>>(uint32_t options, WindowID relativeTo)>
        copyWindowList;
    std::function<std::vector<DisplayID>()> activeDisplayList;
    std::function<std::vector<DisplayID>(Point windowServerPoint)> displaysWithPoint;
    std::function<Rect(DisplayID)> displayBounds; // window-server coordinates
    std::function<std::optional<std::string>(DisplayID)> displayUUID;
    std::function<Point()> cursorLocation; // window-server coordinates
    std::function<void(const Event&)> postEvent;
    std::function<bool()> isProcessTrusted; // accessibility
    std::function<bool()> preflightScreenCaptureAccess;
};

} // namespace tessarin
