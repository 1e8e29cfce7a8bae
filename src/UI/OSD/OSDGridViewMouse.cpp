// Pointer input of an interactive grid: control hover, presses, drags that reorder, and the
// single callback a release fires.
#include "UI/OSD/OSDGridSpaceManagementControl.h"
#include "UI/OSD/OSDGridView.h"
#include "UI/OSD/OSDGridVirtualDragDestinations.h"

#include <QMouseEvent>
#include <algorithm>
#include <cmath>

namespace tessarin {

Point OSDGridView::viewPoint(const QPointF& position) const {
    return {position.x(), static_cast<double>(height()) - position.y()};
}

std::optional<OSDGridLayout> OSDGridView::baseLayout() const {
    if (!presentation_) {
        return std::nullopt;
    }
    return layoutFor(presentation_->model());
}

std::optional<int64_t> OSDGridView::controlHoverIndex(Point point,
                                                      const OSDGridLayout& layout) const {
    const auto& frames = layout.frames();
    const auto hit = std::find_if(frames.begin(), frames.end(),
                                  [&](const Rect& frame) { return frame.contains(point); });
    if (hit == frames.end()) {
        return std::nullopt;
    }
    const auto index = static_cast<int64_t>(hit - frames.begin());
    if (!OSDGridSpaceManagementControl::canShowControl(index, layout, *mouseInteractionContext_)) {
        return std::nullopt;
    }
    return index;
}

bool OSDGridView::shouldUseExpandedVirtualDragRow(Point point) const {
    if (!presentation_) {
        return false;
    }
    const OSDGridModel model = presentation_->model();
    const bool extra = mouseInteractionState_ && mouseInteractionState_->usesExpandedVirtualDragRow;
    const int64_t columns = model.columnCount();
    const int64_t slots =
        OSDGridVirtualDragDestinations::slotCount(model.spaceCount(), columns, extra);
    const auto virtualModel = model.virtualDragDestinationModel(slots, {});
    const auto layout = virtualModel ? layoutFor(*virtualModel) : std::nullopt;
    if (!layout || slots < 1 || columns < 1) {
        return false;
    }
    const auto rows = static_cast<int64_t>(std::ceil(static_cast<double>(slots) / columns));
    const int64_t lastRowStart = std::min(static_cast<int64_t>(layout->frames().size()) - 1,
                                          std::max<int64_t>(rows - 1, 0) * columns);
    if (lastRowStart < 0) {
        return false;
    }
    // Below the bottom edge of the last slot row: y grows upwards.
    return point.y < layout->frames()[static_cast<std::size_t>(lastRowStart)].minY();
}

std::optional<OSDGridLayout>
OSDGridView::currentDragInteractionLayout(std::optional<bool> expanded) const {
    if (!presentation_) {
        return std::nullopt;
    }
    const OSDGridModel model = presentation_->model();
    const bool extra = expanded.value_or(mouseInteractionState_ &&
                                         mouseInteractionState_->usesExpandedVirtualDragRow);
    const int64_t slots =
        OSDGridVirtualDragDestinations::slotCount(model.spaceCount(), model.columnCount(), extra);
    return layoutFor(model.virtualDragDestinationModel(slots, {}).value_or(model));
}

void OSDGridView::storeResetGestureState() {
    if (!mouseInteractionState_) {
        return;
    }
    OSDGridMouseInteractionState state;
    state.currentActiveIndex = mouseInteractionState_->currentActiveIndex;
    state.cellTitles = mouseInteractionState_->cellTitles;
    state.placeholderIndices = mouseInteractionState_->placeholderIndices;
    mouseInteractionState_ = std::move(state);
}

bool OSDGridView::handleMouseMoved(Point point) {
    const auto layout = mouseInteractionContext_ ? baseLayout() : std::nullopt;
    if (!layout) {
        return false;
    }
    setHoveredSpaceManagementIndex(controlHoverIndex(point, *layout));
    return true;
}

void OSDGridView::handleMouseExited() {
    if (hoveredSpaceManagementIndex_) {
        hoveredSpaceManagementIndex_.reset();
        update();
    }
}

bool OSDGridView::handleMouseDown(Point point) {
    const auto layout = baseLayout();
    if (mouseInteractionContext_ && layout) {
        if (const auto action =
                OSDGridSpaceManagementControl::action(point, *layout, *mouseInteractionContext_)) {
            pressedSpaceManagementAction_ = action;
            hoveredSpaceManagementIndex_ = action->index;
            update();
            return true;
        }
    }
    pressedSpaceManagementAction_.reset();
    if (!mouseInteractionState_ || !layout) {
        return false;
    }
    OSDGridMouseInteractionState state = *mouseInteractionState_;
    if (state.beginInteraction(point, *layout)) {
        mouseInteractionState_ = std::move(state);
        updateDisplayedModelFromCurrentPresentation();
    }
    return true;
}

bool OSDGridView::handleMouseDragged(Point point) {
    // A press on a control never drags.
    if (pressedSpaceManagementAction_ || !mouseInteractionContext_ ||
        !mouseInteractionContext_->allowsReordering) {
        return true;
    }
    const bool expanded = shouldUseExpandedVirtualDragRow(point);
    const auto layout = currentDragInteractionLayout(expanded);
    if (!mouseInteractionState_ || !layout) {
        return false;
    }
    OSDGridMouseInteractionState state = *mouseInteractionState_;
    if (state.updateDrag(point, *layout, expanded)) {
        mouseInteractionState_ = std::move(state);
        updateDisplayedModelFromCurrentPresentation();
    }
    return true;
}

void OSDGridView::releaseSpaceManagementControl(Point point, const OSDGridLayout& layout) {
    const OSDGridSpaceManagementAction pressed = *pressedSpaceManagementAction_;
    const auto released =
        OSDGridSpaceManagementControl::action(point, layout, *mouseInteractionContext_);
    pressedSpaceManagementAction_.reset();
    hoveredSpaceManagementIndex_ = controlHoverIndex(point, layout);
    update();
    if (released != pressed) {
        return;
    }
    // Copied: the owner may replace the context from inside its callback.
    const auto callback = pressed.kind == OSDGridSpaceManagementAction::Kind::addAtPlaceholder
                              ? mouseInteractionContext_->onAddSpaceAtPlaceholder
                              : mouseInteractionContext_->onRemoveSpace;
    if (callback) {
        callback(pressed.index);
    }
}

bool OSDGridView::commitReorder(Point point, const OSDGridLayout& dragLayout) {
    const auto target = mouseInteractionState_->reorderTarget(point, dragLayout);
    if (!target) {
        return false;
    }
    const auto committed = mouseInteractionState_->committedReorderModel(
        presentation_->model(), mouseInteractionContext_->rearrangementBehavior);
    storeResetGestureState();
    if (committed) {
        // The grid shows the new order before the owner hears of it.
        replaceMouseInteractionModel(*committed);
        updateVisibleModel(*committed);
    } else {
        updateDisplayedModelFromCurrentPresentation();
    }
    const auto onReorder = mouseInteractionContext_->onReorder;
    if (onReorder) {
        onReorder(target->sourceIndex, target->destinationIndex);
    }
    return true;
}

bool OSDGridView::handleMouseUp(Point point) {
    const auto layout = baseLayout();
    if (!mouseInteractionContext_ || !mouseInteractionState_ || !layout) {
        return false;
    }
    if (pressedSpaceManagementAction_) {
        releaseSpaceManagementControl(point, *layout);
        return true;
    }
    const bool expanded = shouldUseExpandedVirtualDragRow(point);
    const OSDGridLayout dragLayout = currentDragInteractionLayout(expanded).value_or(*layout);
    if (mouseInteractionContext_->allowsReordering && commitReorder(point, dragLayout)) {
        return true;
    }
    const auto target = mouseInteractionState_->selectionTarget(
        point, *layout, mouseInteractionContext_->allowsCurrentActiveSelection);
    storeResetGestureState();
    updateDisplayedModelFromCurrentPresentation();
    const auto context = *mouseInteractionContext_;
    if (context.allowsSelection && target && context.onSelect) {
        context.onSelect(*target);
    }
    return true;
}

void OSDGridView::mouseMoveEvent(QMouseEvent* event) {
    const Point point = viewPoint(event->position());
    const bool handled =
        event->buttons() & Qt::LeftButton ? handleMouseDragged(point) : handleMouseMoved(point);
    if (!handled) {
        QWidget::mouseMoveEvent(event);
    }
}

void OSDGridView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !handleMouseDown(viewPoint(event->position()))) {
        QWidget::mousePressEvent(event);
    }
}

void OSDGridView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !handleMouseUp(viewPoint(event->position()))) {
        QWidget::mouseReleaseEvent(event);
    }
}

void OSDGridView::leaveEvent(QEvent* event) {
    handleMouseExited();
    if (!mouseInteractionState_) {
        QWidget::leaveEvent(event);
    }
}

} // namespace tessarin
