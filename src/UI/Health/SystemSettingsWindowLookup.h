#pragma once

#include "Platform/RunningApplication.h"
#include "Platform/Screen.h"
#include "Platform/WindowServerTypes.h"
#include "Support/Geometry.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tessarin {

// Finds the System Settings window in the window list and turns its bounds into screen
// coordinates. The rules work on plain inputs so the guide's 30 Hz loop can be measured alone.
struct SystemSettingsWindowLookup {
    // The first on-screen, layer-0 window of System Settings larger than 360 x 260 (front to
    // back), in window-server coordinates.
    // `isSystemSettingsProcess` tells whether a process is a System Settings application.
    static std::optional<Rect> find(const std::vector<WindowInfo>& windows,
                                    const std::function<bool(int32_t)>& isSystemSettingsProcess);
    static bool isSystemSettingsBundle(const std::optional<std::string>& identifier);
    // Window-server bounds (y down) to screen coordinates (y up) through the screen holding
    // the centre; unchanged when no screen holds it. `displayBounds` gives a screen's
    // window-server bounds.
    static Rect toScreen(const Rect& bounds, const std::vector<Screen>& screens,
                         const std::function<Rect(DisplayID)>& displayBounds);
    // The host's System Settings window in screen coordinates, if one is on screen.
    static std::optional<Rect> currentFrame();
};

} // namespace tessarin
