#pragma once

#include "Model/Settings/RawValue.h"

#include <array>
#include <string>

namespace tessarin {

// How a horizontal move leaves a row when moves are not blocked at the grid's edges: `snake`
// continues into the next or previous row, `pacMan` wraps within the current row.
enum class GridWrapStyle { snake, pacMan };

inline std::string rawValue(GridWrapStyle style) {
    return style == GridWrapStyle::pacMan ? "pacMan" : "snake";
}

template <> inline std::optional<GridWrapStyle> fromRawValue<GridWrapStyle>(std::string_view raw) {
    if (raw == "snake")
        return GridWrapStyle::snake;
    if (raw == "pacMan")
        return GridWrapStyle::pacMan;
    return std::nullopt;
}

template <> constexpr auto allCases<GridWrapStyle>() {
    return std::array{GridWrapStyle::snake, GridWrapStyle::pacMan};
}

} // namespace tessarin
