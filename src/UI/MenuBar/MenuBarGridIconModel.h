#pragma once

#include "TessarinCore/TessarinCore.h"

#include <cstdint>
#include <optional>
#include <set>

namespace tessarin {

// A small grid of Spaces as the status item and the always-visible overlay draw it: the number
// of cells, the current one, the columns, and the cells that stand for empty slots of the
// user's layout.
struct MenuBarGridIconModel {
    std::int64_t spaceCount = 1;
    std::int64_t activeIndex = 0;
    std::int64_t columnCount = 2;
    std::set<std::int64_t> placeholderIndices;

    // None unless there is at least one cell, the active one is among them and there are 2 to 4
    // columns; placeholders outside the cells are dropped.
    static std::optional<MenuBarGridIconModel>
    make(std::int64_t spaceCount, std::int64_t activeIndex, std::int64_t columnCount,
         const std::set<std::int64_t>& placeholders = {});

    bool isPlaceholder(std::int64_t index) const { return placeholderIndices.count(index) > 0; }

    friend bool operator==(const MenuBarGridIconModel&, const MenuBarGridIconModel&) = default;
};

} // namespace tessarin
