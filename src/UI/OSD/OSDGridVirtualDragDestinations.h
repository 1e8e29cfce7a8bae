#pragma once

#include <cstdint>

namespace tessarin {

// Slot counts of the drag area of a grid. Without the extra row the drag area fills the
// incomplete last row; with it, one whole row more is offered for drops after the last Space.
namespace OSDGridVirtualDragDestinations {

int64_t slotCount(int64_t spaceCount, int64_t columnCount, bool includesExtraRow);
int64_t expandedSlotCount(int64_t spaceCount, int64_t columnCount);

} // namespace OSDGridVirtualDragDestinations

} // namespace tessarin
