#pragma once

#include <cstdint>
#include <optional>

namespace tessarin {

// A move from one cell of a display's Space grid to a neighbouring one. The raw values are the
// bridge's `TessarinDirection` values.
enum class GridMoveDirection : uint32_t { left = 0, right = 1, up = 2, down = 3 };

std::optional<GridMoveDirection> gridMoveDirectionFromRawValue(uint32_t rawValue);
inline uint32_t rawValue(GridMoveDirection direction) {
    return static_cast<uint32_t>(direction);
}

// Column counts the grid supports; anything else is read as three columns.
inline constexpr uint32_t kMinimumGridColumnCount = 2;
inline constexpr uint32_t kMaximumGridColumnCount = 4;
inline constexpr uint32_t kFallbackGridColumnCount = 3;
uint32_t normalizedGridColumnCount(uint32_t columns);

struct GridMoveRequest {
    uint32_t currentIndex = 0;
    uint32_t count = 0;
    GridMoveDirection direction = GridMoveDirection::left;
    // Off: the Spaces form one row; only left and right move, under the same edge rules.
    bool gridMode = true;
    uint32_t columns = kFallbackGridColumnCount;
    bool blocksAtEdges = true;
    // False: "snake" (the ends of rows chain into each other), true: "pacMan" (a row wraps
    // onto itself).
    bool pacMan = false;
    friend bool operator==(const GridMoveRequest&, const GridMoveRequest&) = default;
};

// The cell a move lands on, or nothing when the move is impossible: no cells, a current index
// outside the grid, an edge that blocks, or a move that would land where it started.
// Vertical moves wrap the same way in both wrap styles; the wrap style only changes what a
// horizontal move does at the end of a row.
std::optional<uint32_t> resolveGridTargetIndex(const GridMoveRequest& request);

} // namespace tessarin
