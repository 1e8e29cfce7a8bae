#pragma once

#include "Model/Settings/RawValue.h"

#include <array>
#include <string>

namespace tessarin {

// What dropping a dragged grid cell does: `swap` exchanges the two cells, `shuffle` moves the
// cell and shifts the cells between. The user's choice is the Boolean "osdShuffleWhenRearranging".
enum class OSDGridRearrangementBehavior { swap, shuffle };

inline std::string rawValue(OSDGridRearrangementBehavior behavior) {
    return behavior == OSDGridRearrangementBehavior::shuffle ? "shuffle" : "swap";
}

template <>
inline std::optional<OSDGridRearrangementBehavior>
fromRawValue<OSDGridRearrangementBehavior>(std::string_view raw) {
    if (raw == "swap")
        return OSDGridRearrangementBehavior::swap;
    if (raw == "shuffle")
        return OSDGridRearrangementBehavior::shuffle;
    return std::nullopt;
}

template <> constexpr auto allCases<OSDGridRearrangementBehavior>() {
    return std::array{OSDGridRearrangementBehavior::swap, OSDGridRearrangementBehavior::shuffle};
}

// The behaviour the shuffle setting stands for.
constexpr OSDGridRearrangementBehavior rearrangementBehavior(bool shuffleWhenRearranging) {
    return shuffleWhenRearranging ? OSDGridRearrangementBehavior::shuffle
                                  : OSDGridRearrangementBehavior::swap;
}

} // namespace tessarin
