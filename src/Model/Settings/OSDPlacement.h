#pragma once

#include "Model/Settings/RawValue.h"
#include "Support/Geometry.h"

#include <array>
#include <string>

namespace tessarin {

// Where a window sits on its screen.
enum class OSDPlacement { center, topLeft, topRight, bottomLeft, bottomRight };

inline std::string rawValue(OSDPlacement value) {
    switch (value) {
    case OSDPlacement::center:
        return "center";
    case OSDPlacement::topLeft:
        return "topLeft";
    case OSDPlacement::topRight:
        return "topRight";
    case OSDPlacement::bottomLeft:
        return "bottomLeft";
    case OSDPlacement::bottomRight:
        return "bottomRight";
    }
    return {};
}

template <> constexpr auto allCases<OSDPlacement>() {
    return std::array{OSDPlacement::center, OSDPlacement::topLeft, OSDPlacement::topRight,
                      OSDPlacement::bottomLeft, OSDPlacement::bottomRight};
}

template <> inline std::optional<OSDPlacement> fromRawValue<OSDPlacement>(std::string_view raw) {
    return caseWithRawValue<OSDPlacement>(raw);
}

// The origin (bottom-left corner, y up) of a window of `windowSize` placed in `rect`, `inset`
// points from the chosen edges; `center` ignores the inset.
Point origin(OSDPlacement placement, const Rect& rect, Size windowSize, double inset);

} // namespace tessarin
