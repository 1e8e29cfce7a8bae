#pragma once

#include "Platform/WindowServerTypes.h"
#include "Support/Geometry.h"

#include <string>

namespace tessarin {

// One connected screen as the product sees it.
struct Screen {
    DisplayID displayID = 0;
    std::string uuid;
    std::string localizedName;
    Rect frame;        // y up, the main screen's bottom-left corner at 0,0
    Rect visibleFrame; // the frame less the menu bar and the Dock, y up
    double backingScaleFactor = 2.0;
    friend bool operator==(const Screen&, const Screen&) = default;
};

// Whether a display with these window-server bounds holds the window-server point: half open as
// its pixels are, [x, x + w) x [y, y + h) with y down, so that displays side by side never share
// a point and the top row of a display is on it. The one rule every caller goes by, in either
// coordinate system.
inline bool displayHolds(const Rect& windowServerBounds, Point windowServerPoint) {
    return windowServerBounds.contains(windowServerPoint);
}

} // namespace tessarin
