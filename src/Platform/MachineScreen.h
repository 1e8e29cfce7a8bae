#pragma once

#include "Platform/MachineScreenPlacement.h"
#include "Support/Geometry.h"

#include <optional>

namespace tessarin {

class DisplayServer;
class Host;

// The screen of the machine the program runs on, where the host's displays are shown (set by
// the program on a desktop). Without one, offscreen and in tests, the host's coordinates are
// Qt's and no point of the machine is the host's. The placement follows every configuration of
// the displays. Main thread only.
class MachineScreen {
public:
    explicit MachineScreen(const DisplayServer& displays) : displays_(displays) {}

    // The current host's.
    static MachineScreen& of(Host& host);

    // The screen's area in Qt's global coordinates; none takes the host's coordinates as Qt's.
    void setArea(std::optional<Rect> area) { area_ = area; }
    const std::optional<Rect>& area() const { return area_; }

    MachineScreenPlacement placement() const;
    // Where a window with this frame (the host's screen coordinates, y up) is shown.
    Rect windowFrame(const Rect& screenRect) const;
    // The host's point (window-server coordinates) a point of the machine's screen shows, when
    // there is a screen and the point lies on a display's image.
    std::optional<Point> windowServerPointAt(Point machinePoint) const;

private:
    const DisplayServer& displays_;
    std::optional<Rect> area_;
};

} // namespace tessarin
