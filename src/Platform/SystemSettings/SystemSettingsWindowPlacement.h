#pragma once

#include "Support/Geometry.h"

#include <functional>
#include <vector>

namespace tessarin {

// What System Settings sees of the desktop when it opens its window: the part of the machine's
// screen windows may take, and the frames of the program's floating windows, which stay above
// an ordinary window (window-server coordinates, y down).
struct SystemSettingsDesk {
    // What a window manager adds around a window's content: its title bar and borders.
    struct FrameMargins {
        double left = 0;
        double top = 0;
        double right = 0;
        double bottom = 0;
    };
    Rect screen;
    std::vector<Rect> floatingWindows;
    FrameMargins frameMargins;
};

using SystemSettingsDeskReader = std::function<SystemSettingsDesk()>;

struct SystemSettingsWindowPlacement {
    Rect frame;
    // False when the screen has no room clear of the floating windows: the window keeps its
    // frame, and only standing above them shows it whole.
    bool clear = true;
};

// Where System Settings puts its window's content, `preferred` first: there when nothing floats
// over its frame, else the nearest place on the screen beside a floating window that none
// covers, `gap` away from them; only where the sides have no room, above or below one.
SystemSettingsWindowPlacement
placeSystemSettingsWindow(const Rect& preferred, const SystemSettingsDesk& desk, double gap = 24);

} // namespace tessarin
