#pragma once

#include <cstdint>

namespace tessarin {

// A press on a cell's remove control, or on the add control of a placeholder.
struct OSDGridSpaceManagementAction {
    enum class Kind { remove, addAtPlaceholder };

    Kind kind = Kind::remove;
    int64_t index = 0;

    static OSDGridSpaceManagementAction remove(int64_t index) { return {Kind::remove, index}; }
    static OSDGridSpaceManagementAction addAtPlaceholder(int64_t index) {
        return {Kind::addAtPlaceholder, index};
    }

    friend bool operator==(const OSDGridSpaceManagementAction&,
                           const OSDGridSpaceManagementAction&) = default;
};

} // namespace tessarin
