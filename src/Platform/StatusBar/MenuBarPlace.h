#pragma once

#include "Platform/MachineScreenPlacement.h"
#include "Support/Geometry.h"

#include <optional>

namespace tessarin {

// Where the status item lies: at the right end of the menu bar, which is on one display only
// (the menu-bar display). On the host that is a point of that display's menu bar; on the
// machine's screen it is the top right corner of that display's image, where the stand-in for
// the item goes. Pure.
class MenuBarPlace {
public:
    // The status item's distance from the display's right edge, in points.
    static constexpr double kStatusItemInset = 40;
    // The menu bar's thickness where a display shows none of its own.
    static constexpr double kDefaultMenuBarThickness = 24;

    // `display`: the menu-bar display's bounds in window-server coordinates (y down);
    // `menuBarThickness`: how much of its top the menu bar takes.
    MenuBarPlace(const Rect& display, double menuBarThickness);

    // The host's point (window-server coordinates) a click on the status item or its menu
    // lands on: inside the display, in the middle of its menu bar.
    Point statusItemPoint() const;
    // The frame on the machine's screen (`screen`, Qt's global coordinates) of a stand-in of
    // `size`: `margin` in from the top right corner of the display's image, kept on the screen.
    // None when the display's image misses the screen.
    std::optional<Rect> standInFrame(const MachineScreenPlacement& placement, const Rect& screen,
                                     Size size, double margin) const;

private:
    Rect display_;
    double menuBarThickness_;
};

} // namespace tessarin
