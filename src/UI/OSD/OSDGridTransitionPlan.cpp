#include "UI/OSD/OSDGridTransitionPlan.h"

#include "TessarinCore/GridTargetResolver.h"

#include <limits>

namespace tessarin {

namespace {

struct WrapFrames {
    Rect exit;
    Rect entry;
};

bool movesAroundEdge(int64_t count, int64_t columns, int64_t from, int64_t to,
                     GridMoveDirection direction) {
    switch (direction) {
    case GridMoveDirection::left:
        return from == 0 && to == count - 1;
    case GridMoveDirection::right:
        return from == count - 1 && to == 0;
    case GridMoveDirection::up:
        return from / columns == 0 && to / columns > 0;
    case GridMoveDirection::down:
        return to / columns < from / columns;
    }
    return false;
}

Rect unionOfFrames(const std::vector<Rect>& frames) {
    Rect bounds = frames.front();
    for (const Rect& frame : frames) {
        bounds = bounds.united(frame);
    }
    return bounds;
}

WrapFrames wrapFrames(GridMoveDirection direction, const Rect& from, const Rect& to,
                      const Rect& bounds) {
    constexpr double gap = OSDGridLayout::cellSpacing;
    switch (direction) {
    case GridMoveDirection::left:
        return {{bounds.minX() - from.width() - gap, from.minY(), from.width(), from.height()},
                {bounds.maxX() + gap, to.minY(), to.width(), to.height()}};
    case GridMoveDirection::right:
        return {{bounds.maxX() + gap, from.minY(), from.width(), from.height()},
                {bounds.minX() - to.width() - gap, to.minY(), to.width(), to.height()}};
    case GridMoveDirection::up:
        return {{from.minX(), bounds.maxY() + gap, from.width(), from.height()},
                {to.minX(), bounds.minY() - to.height() - gap, to.width(), to.height()}};
    case GridMoveDirection::down:
        break;
    }
    return {{from.minX(), bounds.minY() - from.height() - gap, from.width(), from.height()},
            {to.minX(), bounds.maxY() + gap, to.width(), to.height()}};
}

} // namespace

std::optional<int64_t> OSDGridTransitionPlan::expectedNeighbor(int64_t spaceCount,
                                                               int64_t columnCount,
                                                               int64_t fromIndex,
                                                               TessarinDirection direction) {
    const auto gridDirection = gridMoveDirectionFromRawValue(direction);
    constexpr int64_t largestCount = std::numeric_limits<uint32_t>::max();
    if (!gridDirection || spaceCount < 1 || spaceCount > largestCount || fromIndex < 0 ||
        fromIndex >= spaceCount || columnCount < 1 || columnCount > largestCount) {
        return std::nullopt;
    }
    // A planned move always assumes the grid wraps, whatever rule chose the target: the snake
    // rule without edge blocking.
    const auto target = resolveGridTargetIndex({.currentIndex = static_cast<uint32_t>(fromIndex),
                                                .count = static_cast<uint32_t>(spaceCount),
                                                .direction = *gridDirection,
                                                .gridMode = true,
                                                .columns = static_cast<uint32_t>(columnCount),
                                                .blocksAtEdges = false,
                                                .pacMan = false});
    if (!target) {
        return std::nullopt;
    }
    return static_cast<int64_t>(*target);
}

std::optional<OSDGridTransitionPlan>
OSDGridTransitionPlan::make(const OSDGridDirectionalTransition& transition,
                            const OSDGridLayout& layout) {
    const int64_t from = transition.fromIndex;
    const int64_t to = transition.toIndex;
    if (!layout.containsIndex(from) || !layout.containsIndex(to)) {
        return std::nullopt;
    }
    const OSDGridModel& model = transition.model;
    const auto neighbor =
        expectedNeighbor(model.spaceCount(), model.columnCount(), from, transition.direction);
    if (!neighbor || *neighbor != to) {
        return std::nullopt;
    }
    const auto& frames = layout.frames();
    const Rect fromFrame = frames[static_cast<std::size_t>(from)];
    const Rect toFrame = frames[static_cast<std::size_t>(to)];
    const GridMoveDirection direction = *gridMoveDirectionFromRawValue(transition.direction);
    if (!movesAroundEdge(model.spaceCount(), model.columnCount(), from, to, direction)) {
        return OSDGridTransitionPlan(fromFrame, toFrame, std::nullopt, std::nullopt);
    }
    const WrapFrames wrap = wrapFrames(direction, fromFrame, toFrame, unionOfFrames(frames));
    return OSDGridTransitionPlan(fromFrame, toFrame, wrap.exit, wrap.entry);
}

} // namespace tessarin
