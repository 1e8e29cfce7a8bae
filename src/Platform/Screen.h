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

} // namespace tessarin
