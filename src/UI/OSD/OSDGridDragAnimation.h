#pragma once

#include "Support/Geometry.h"

#include <cstdint>
#include <map>

namespace tessarin {

// Where each cell other than the dragged one stands, by Space index.
using OSDGridDragItemPositions = std::map<int64_t, Rect>;

// The cells sliding from where they stood to where the current drop would put them; linear.
struct OSDGridDragAnimation {
    OSDGridDragItemPositions fromPositions;
    OSDGridDragItemPositions toPositions;
    double startTime = 0;
    double duration = 0;

    bool isFinished(double now) const { return duration <= 0 || (now - startTime) / duration >= 1; }
    // A cell new to the targets starts at its target; one that left the targets is dropped.
    OSDGridDragItemPositions positions(double now) const;
};

} // namespace tessarin
