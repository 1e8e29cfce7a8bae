#pragma once

#include "Model/Spaces/DisplaySpaceOrderSnapshot.h"

#include <optional>

namespace tessarin {

// Resolves a jump to a visual index ("Space N") against a display's layout.
class DisplaySpaceNavigator {
public:
    DisplaySpaceNavigator() = delete;

    struct DirectTarget {
        int visualIndex = 0;  // the requested index, clamped into the layout
        int systemIndex = -1; // negative when that cell holds no Space
        friend bool operator==(const DirectTarget&, const DirectTarget&) = default;
    };

    // Nothing for an empty layout or a negative index; an index past the last cell is clamped
    // to the last cell.
    static std::optional<DirectTarget>
    resolveDirectTarget(const DisplaySpaceOrderSnapshot& snapshot, int requestedVisualIndex);
};

} // namespace tessarin
