#pragma once

#include "Model/Settings/RawValue.h"

#include <array>

namespace tessarin {

// Columns of the Space grid. The raw value (0, 1, 2) is what "gridColumnCount" stores; the
// number of columns is the raw value plus 2. Never cast a value to get a count: ask
// `columns(count)`, or `GridModeStore::columns` for a display.
enum class GridColumnCount : int { two = 0, three = 1, four = 2 };

constexpr int rawValue(GridColumnCount count) {
    return static_cast<int>(count);
}

constexpr int columns(GridColumnCount count) {
    return rawValue(count) + 2;
}

template <> inline std::optional<GridColumnCount> fromRawValue<GridColumnCount>(std::int64_t raw) {
    if (raw < 0 || raw > 2)
        return std::nullopt;
    return static_cast<GridColumnCount>(raw);
}

// 2, 3 or 4 columns; any other number gives nothing.
inline std::optional<GridColumnCount> gridColumnCountWithColumns(std::int64_t columnCount) {
    return fromRawValue<GridColumnCount>(columnCount - 2);
}

template <> constexpr auto allCases<GridColumnCount>() {
    return std::array{GridColumnCount::two, GridColumnCount::three, GridColumnCount::four};
}

} // namespace tessarin
