#pragma once

#include "Model/Settings/OSDGridRearrangementBehavior.h"

#include <cstdint>
#include <optional>
#include <set>
#include <vector>

namespace tessarin {

// The order the grid animates towards while the cell `sourceIndex` is dragged over the slot
// `destinationIndex`: `order[k]` is the Space index standing in slot k. A drop on a placeholder
// always swaps, since a placeholder has no place of its own to keep. A drop on a virtual slot
// after the real cells leaves the order alone and only the dragged cell stands in that slot.
struct OSDGridReorderPreview {
    int64_t sourceIndex = 0;
    int64_t destinationIndex = 0;
    std::vector<int64_t> order;

    // None when the source is not a real cell (outside 0 ..< spaceCount, or a placeholder) or the
    // destination lies outside 0 ..< max(spaceCount, destinationSlotCount). Placeholders outside
    // the Spaces are ignored.
    static std::optional<OSDGridReorderPreview> make(int64_t spaceCount, int64_t sourceIndex,
                                                     int64_t destinationIndex,
                                                     OSDGridRearrangementBehavior behavior,
                                                     const std::set<int64_t>& placeholderIndices,
                                                     int64_t destinationSlotCount);

    // The slot where the Space index stands; none for an index that is not in the grid.
    std::optional<int64_t> slot(int64_t index) const;

    friend bool operator==(const OSDGridReorderPreview&, const OSDGridReorderPreview&) = default;
};

} // namespace tessarin
