#include "UI/OSD/OSDGridMouseInteractionState.h"

#include "UI/OSD/OSDGridVirtualDragDestinations.h"

#include <cmath>

namespace tessarin {

namespace {

double distance(Point a, Point b) {
    return std::hypot(b.x - a.x, b.y - a.y);
}

} // namespace

bool OSDGridMouseInteractionState::isPressedOnRealCell() const {
    return pressedIndex && !placeholderIndices.contains(*pressedIndex);
}

bool OSDGridMouseInteractionState::beginInteraction(Point point, const OSDGridLayout& layout) {
    dragTargetIndex.reset();
    usesExpandedVirtualDragRow = false;
    isReordering = false;
    const auto index = layout.indexOfFrame(point);
    if (!index) {
        pressedIndex.reset();
        pressedPoint.reset();
        pressedDragOffset.reset();
        currentDragPoint.reset();
        return false;
    }
    const Rect& frame = layout.frames()[static_cast<std::size_t>(*index)];
    pressedIndex = index;
    pressedPoint = point;
    pressedDragOffset = Size{point.x - frame.origin.x, point.y - frame.origin.y};
    currentDragPoint = point;
    hoveredIndex = index;
    return true;
}

bool OSDGridMouseInteractionState::updateDrag(Point point, const OSDGridLayout& layout,
                                              bool expanded) {
    if (!pressedPoint || !isPressedOnRealCell()) {
        return false;
    }
    if (distance(*pressedPoint, point) < dragThreshold) {
        return false;
    }
    const bool wasReordering = isReordering;
    const auto previousPoint = currentDragPoint;
    const auto previousTarget = dragTargetIndex;
    const bool previousExpanded = usesExpandedVirtualDragRow;
    isReordering = true;
    currentDragPoint = point;
    usesExpandedVirtualDragRow = expanded;

    const bool pointOrRowChanged =
        !previousPoint || *previousPoint != point || previousExpanded != expanded;
    if (const auto index = layout.indexOfFrame(point)) {
        dragTargetIndex = index;
        hoveredIndex = index;
        return !wasReordering || !previousTarget || *previousTarget != *index || pointOrRowChanged;
    }
    if (!previousTarget) {
        dragTargetIndex = pressedIndex;
        return true;
    }
    return !wasReordering || pointOrRowChanged;
}

std::optional<int64_t>
OSDGridMouseInteractionState::selectionTarget(Point point, const OSDGridLayout& layout,
                                              bool allowsCurrentActiveIndex) const {
    if (isReordering) {
        return std::nullopt;
    }
    const auto index = layout.indexOfFrame(point);
    if (!index || (!allowsCurrentActiveIndex && *index == currentActiveIndex)) {
        return std::nullopt;
    }
    return index;
}

std::optional<OSDGridMouseInteractionState::ReorderTarget>
OSDGridMouseInteractionState::reorderTarget(Point point, const OSDGridLayout& layout) const {
    if (!isReordering || !isPressedOnRealCell()) {
        return std::nullopt;
    }
    const auto destination = layout.indexOfFrame(point);
    if (!destination || *destination == *pressedIndex) {
        return std::nullopt;
    }
    return ReorderTarget{*pressedIndex, *destination};
}

OSDGridMouseInteractionState
OSDGridMouseInteractionState::replacingModel(const OSDGridModel& model) const {
    OSDGridMouseInteractionState state;
    state.currentActiveIndex = model.activeIndex();
    state.cellTitles = model.cellTitles();
    state.placeholderIndices = model.placeholderIndices();
    if (hoveredIndex && model.isValidIndex(*hoveredIndex)) {
        state.hoveredIndex = hoveredIndex;
    }
    if (pressedIndex && model.isValidIndex(*pressedIndex)) {
        state.pressedIndex = pressedIndex;
        state.pressedPoint = pressedPoint;
        state.pressedDragOffset = pressedDragOffset;
    }
    state.isReordering = isReordering;
    if (isReordering) {
        state.currentDragPoint = currentDragPoint;
        state.usesExpandedVirtualDragRow = usesExpandedVirtualDragRow;
        const int64_t dragSlotCount = OSDGridVirtualDragDestinations::slotCount(
            model.spaceCount(), model.columnCount(), usesExpandedVirtualDragRow);
        if (dragTargetIndex && *dragTargetIndex < dragSlotCount) {
            state.dragTargetIndex = dragTargetIndex;
        }
    }
    return state;
}

std::optional<OSDGridModel>
OSDGridMouseInteractionState::dragPreview(const OSDGridModel& model,
                                          OSDGridRearrangementBehavior behavior) const {
    if (!isReordering || !pressedIndex || !dragTargetIndex) {
        return std::nullopt;
    }
    const int64_t dragSlotCount = OSDGridVirtualDragDestinations::slotCount(
        model.spaceCount(), model.columnCount(), usesExpandedVirtualDragRow);
    return model.dragPreviewModel(*pressedIndex, *dragTargetIndex, behavior, dragSlotCount)
        .value_or(model);
}

std::optional<std::string>
OSDGridMouseInteractionState::hoverTitle(const OSDGridModel& model) const {
    const int64_t index = hoveredIndex.value_or(currentActiveIndex);
    if (const auto own = cellTitles.find(index); own != cellTitles.end()) {
        return own->second;
    }
    if (const auto title = model.title(index)) {
        return title;
    }
    if (index == currentActiveIndex) {
        return model.title();
    }
    return std::nullopt;
}

std::optional<std::string>
OSDGridMouseInteractionState::displayedTitle(const OSDGridModel& model) const {
    // A reorder without a target has no preview; its title falls back to the hover rule rather
    // than asking for the displayed model again, which would ask for this title in turn.
    if (const auto preview = dragPreview(model, OSDGridRearrangementBehavior::swap)) {
        return preview->title();
    }
    return hoverTitle(model);
}

std::optional<OSDGridModel>
OSDGridMouseInteractionState::displayedModel(const OSDGridModel& model,
                                             OSDGridRearrangementBehavior behavior) const {
    if (auto preview = dragPreview(model, behavior)) {
        return preview;
    }
    OSDGridModel::Fields fields = model.fields();
    fields.activeIndex = hoveredIndex.value_or(currentActiveIndex);
    fields.title = displayedTitle(model);
    if (auto hovered = OSDGridModel::make(std::move(fields))) {
        return hovered;
    }
    return model;
}

std::optional<OSDGridModel>
OSDGridMouseInteractionState::committedReorderModel(const OSDGridModel& model,
                                                    OSDGridRearrangementBehavior behavior) const {
    if (!isReordering || !pressedIndex || !dragTargetIndex) {
        return std::nullopt;
    }
    const int64_t target = *dragTargetIndex;
    if (target >= model.spaceCount()) {
        return model.virtualDropModel(*pressedIndex, target, target + 1, {}, true);
    }
    const auto effective =
        placeholderIndices.contains(target) ? OSDGridRearrangementBehavior::swap : behavior;
    return model.reordered(*pressedIndex, target, effective);
}

} // namespace tessarin
