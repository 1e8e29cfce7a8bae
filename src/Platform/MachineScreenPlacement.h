#pragma once

#include "Support/Geometry.h"

#include <vector>

namespace tessarin {

// Where the host's displays lie on the screen of the machine the program runs on. The host's
// window-server plane (y down) is scaled by `scale` and moved so that its origin lies at
// `origin`, a point of the machine's screen (y down, Qt's global coordinates).
struct MachineScreenPlacement {
    double scale = 1;
    Point origin;

    friend bool operator==(const MachineScreenPlacement&, const MachineScreenPlacement&) = default;

    // The host's coordinates taken as the machine's: what a run without a screen uses.
    static MachineScreenPlacement identity() { return {}; }
    // The placement that shows every one of `displays` (window-server bounds) on `screen`: as
    // they are when they already lie on it, else shrunk just enough to fit and moved just far
    // enough to lie on it. Never enlarged.
    static MachineScreenPlacement fitting(const std::vector<Rect>& displays, const Rect& screen);

    Point toMachine(Point windowServerPoint) const;
    Rect toMachine(const Rect& windowServerRect) const;
    Point toHost(Point machinePoint) const;
};

// Where a window of the host goes on the machine's screen: at its own size (a window is not
// shrunk with the displays), in the same place relative to the display it lies on (a window at
// a display's corner stays at that corner, a centred one centred), and on the screen. The
// display is the one holding the window's centre, else the one it overlaps most; a window on
// no display keeps the placement's mapping of its origin.
Rect machineWindowFrame(const MachineScreenPlacement& placement, const std::vector<Rect>& displays,
                        const Rect& screen, const Rect& windowServerFrame);

} // namespace tessarin
