#include "TessarinCore/GridTargetResolver.h"

#include <algorithm>

namespace tessarin {

namespace {

// Signed arithmetic throughout: rows and columns are derived from unsigned inputs that may be
// as large as UINT32_MAX, so 64 bits keep every intermediate exact.
struct GridPosition {
    int64_t cell;
    int64_t count;
    int64_t columns;
    int64_t row() const { return cell / columns; }
    int64_t column() const { return cell - row() * columns; }
    int64_t rowCount() const { return (count + columns - 1) / columns; }
};

std::optional<int64_t> moveLeft(const GridPosition& p, bool blocksAtEdges, bool pacMan) {
    const int64_t s = p.cell;
    if (blocksAtEdges) {
        if (p.column() == 0) {
            return std::nullopt;
        }
        return s - 1;
    }
    if (pacMan && p.column() == 0) {
        return std::min(p.count, s + p.columns) - 1;
    }
    return s > 0 ? s - 1 : p.count - 1;
}

std::optional<int64_t> moveRight(const GridPosition& p, bool blocksAtEdges, bool pacMan) {
    const int64_t s = p.cell;
    if (blocksAtEdges) {
        if (p.column() >= p.columns - 1 || s >= p.count - 1) {
            return std::nullopt;
        }
        return s + 1;
    }
    const int64_t rowStart = s - p.column();
    const bool lastOfRow = s + 1 == std::min(p.count, rowStart + p.columns);
    if (pacMan && lastOfRow) {
        return rowStart;
    }
    return s < p.count - 1 ? s + 1 : 0;
}

// Steps row by row (step -1 up, +1 down) around the grid, keeping the column, and takes the
// first row long enough to have that column.
std::optional<int64_t> moveVertically(const GridPosition& p, bool blocksAtEdges, int64_t step) {
    const int64_t s = p.cell;
    const int64_t direct = s + step * p.columns;
    if (direct >= 0 && direct < p.count) {
        return direct;
    }
    if (blocksAtEdges) {
        return std::nullopt;
    }
    const int64_t rows = p.rowCount();
    for (int64_t k = 1; k < rows; ++k) {
        const int64_t row = (((p.row() + step * k) % rows) + rows) % rows;
        const int64_t candidate = row * p.columns + p.column();
        if (candidate < p.count) {
            return candidate;
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<GridMoveDirection> gridMoveDirectionFromRawValue(uint32_t rawValue) {
    if (rawValue > static_cast<uint32_t>(GridMoveDirection::down)) {
        return std::nullopt;
    }
    return static_cast<GridMoveDirection>(rawValue);
}

uint32_t normalizedGridColumnCount(uint32_t columns) {
    if (columns < kMinimumGridColumnCount || columns > kMaximumGridColumnCount) {
        return kFallbackGridColumnCount;
    }
    return columns;
}

std::optional<uint32_t> resolveGridTargetIndex(const GridMoveRequest& request) {
    if (request.count == 0 || request.currentIndex >= request.count) {
        return std::nullopt;
    }
    const bool vertical =
        request.direction == GridMoveDirection::up || request.direction == GridMoveDirection::down;
    if (vertical && !request.gridMode) {
        return std::nullopt;
    }
    const int64_t columns = request.gridMode ? normalizedGridColumnCount(request.columns)
                                             : static_cast<int64_t>(request.count);
    const GridPosition position{request.currentIndex, request.count, columns};

    std::optional<int64_t> target;
    switch (request.direction) {
    case GridMoveDirection::left:
        target = moveLeft(position, request.blocksAtEdges, request.pacMan);
        break;
    case GridMoveDirection::right:
        target = moveRight(position, request.blocksAtEdges, request.pacMan);
        break;
    case GridMoveDirection::up:
        target = moveVertically(position, request.blocksAtEdges, -1);
        break;
    case GridMoveDirection::down:
        target = moveVertically(position, request.blocksAtEdges, +1);
        break;
    }
    if (!target || *target == position.cell || *target < 0 || *target >= position.count) {
        return std::nullopt;
    }
    return static_cast<uint32_t>(*target);
}

} // namespace tessarin
