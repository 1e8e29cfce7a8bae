#include "UI/OSD/OSDGridVirtualDragDestinations.h"

namespace tessarin::OSDGridVirtualDragDestinations {

namespace {
int64_t filledRowsSlotCount(int64_t spaceCount, int64_t columnCount) {
    const int64_t rows = (spaceCount + columnCount - 1) / columnCount;
    return rows * columnCount;
}
} // namespace

int64_t slotCount(int64_t spaceCount, int64_t columnCount, bool includesExtraRow) {
    if (spaceCount < 1 || columnCount <= 0) {
        return 0;
    }
    return filledRowsSlotCount(spaceCount, columnCount) + (includesExtraRow ? columnCount : 0);
}

int64_t expandedSlotCount(int64_t spaceCount, int64_t columnCount) {
    if (spaceCount < 1 || columnCount < 1) {
        return 0;
    }
    return filledRowsSlotCount(spaceCount, columnCount) + columnCount;
}

} // namespace tessarin::OSDGridVirtualDragDestinations
