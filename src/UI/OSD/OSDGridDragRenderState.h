#pragma once

#include "Support/Geometry.h"

#include <cstdint>

namespace tessarin {

// What the drag preview draws: the dragged cell, the slot it would land in, the pointer in view
// coordinates and where the pointer held the cell.
struct OSDGridDragRenderState {
    int64_t sourceIndex = 0;
    int64_t destinationIndex = 0;
    Point dragPoint;
    // The pointer's offset from the dragged cell's origin at the press.
    Size dragOffset;

    friend bool operator==(const OSDGridDragRenderState&, const OSDGridDragRenderState&) = default;
};

} // namespace tessarin
