#pragma once

#include "Platform/WindowServerTypes.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace tessarin {

// The window the user is dragging by hand, taken when a jump to another Space asks for it to
// be thrown along. It belongs to one press of the mouse: once the drag tracker has counted
// another press, the candidate is stale.
struct FocusedWindowThrowCandidate {
    WindowID windowID = 0;
    int32_t ownerPID = 0;
    uint64_t mouseDownGeneration = 0;
    // The Spaces the window was on when taken; the throw has landed once it is on the target.
    std::vector<SpaceID> sourceSpaceIDs;

    // True while the press the candidate was taken in is still the one dragging.
    bool belongsToDrag(std::optional<uint64_t> activeDragGeneration) const {
        return activeDragGeneration && *activeDragGeneration == mouseDownGeneration;
    }

    friend bool operator==(const FocusedWindowThrowCandidate&,
                           const FocusedWindowThrowCandidate&) = default;
};

} // namespace tessarin
