// The drag preview's state: which cell is dragged where, and the cells sliding out of its way.
#include "Support/MainQueue.h"
#include "UI/OSD/OSDGridReorderPreview.h"
#include "UI/OSD/OSDGridView.h"

namespace tessarin {

namespace {

OSDGridDragItemPositions positionsForPreview(const OSDGridReorderPreview& preview,
                                             const OSDGridLayout& layout) {
    OSDGridDragItemPositions positions;
    for (std::size_t slot = 0; slot < preview.order.size(); ++slot) {
        const int64_t index = preview.order[slot];
        if (index == preview.sourceIndex || !layout.containsIndex(static_cast<int64_t>(slot))) {
            continue;
        }
        positions[index] = layout.frames()[slot];
    }
    return positions;
}

OSDGridDragItemPositions initialPositions(int64_t spaceCount, int64_t excluding,
                                          const OSDGridLayout& layout) {
    OSDGridDragItemPositions positions;
    for (int64_t index = 0; index < spaceCount; ++index) {
        if (index != excluding && layout.containsIndex(index)) {
            positions[index] = layout.frames()[static_cast<std::size_t>(index)];
        }
    }
    return positions;
}

} // namespace

bool OSDGridView::syncDragPreview(const OSDGridModel& model, const OSDGridLayout& layout) {
    const auto giveUp = [this] {
        clearDragPreview();
        return false;
    };
    const auto& state = mouseInteractionState_;
    if (!state || !state->isReordering || !state->pressedIndex || !state->pressedPoint ||
        !state->dragTargetIndex || !state->currentDragPoint) {
        return giveUp();
    }
    const int64_t source = *state->pressedIndex;
    const int64_t destination = *state->dragTargetIndex;
    if (!layout.containsIndex(source) || source >= model.spaceCount()) {
        return giveUp();
    }
    const OSDGridRearrangementBehavior behavior =
        mouseInteractionContext_ ? mouseInteractionContext_->rearrangementBehavior
                                 : OSDGridRearrangementBehavior::swap;
    const auto preview =
        OSDGridReorderPreview::make(model.spaceCount(), source, destination, behavior,
                                    model.placeholderIndices(), layout.model().spaceCount());
    if (!preview) {
        return giveUp();
    }
    const Rect sourceFrame = layout.frames()[static_cast<std::size_t>(source)];
    const Size offset = state->pressedDragOffset.value_or(Size{
        state->pressedPoint->x - sourceFrame.minX(), state->pressedPoint->y - sourceFrame.minY()});
    OSDGridDragItemPositions targets = positionsForPreview(*preview, layout);
    if (dragRenderState_ && dragRenderState_->sourceIndex == source) {
        if (dragRenderState_->destinationIndex == destination) {
            dragTargetPositions_ = std::move(targets);
        } else {
            OSDGridDragItemPositions from = resolvedDragItemPositions();
            dragTargetPositions_ = targets;
            startDragPositionAnimation(std::move(from), std::move(targets));
        }
    } else {
        dragTargetPositions_ = targets;
        startDragPositionAnimation(initialPositions(model.spaceCount(), source, layout),
                                   std::move(targets));
    }
    dragRenderState_ =
        OSDGridDragRenderState{source, destination, *state->currentDragPoint, offset};
    return true;
}

void OSDGridView::clearDragPreview() {
    dragRenderState_.reset();
    dragTargetPositions_.clear();
    dragPositionAnimation_.reset();
    stopDragAnimationTimer();
}

void OSDGridView::startDragPositionAnimation(OSDGridDragItemPositions from,
                                             OSDGridDragItemPositions to) {
    if (from == to) {
        dragPositionAnimation_.reset();
        stopDragAnimationTimer();
        return;
    }
    dragPositionAnimation_ = OSDGridDragAnimation{std::move(from), std::move(to),
                                                  MainQueue::main().now(), dragAnimationDuration};
    if (!dragAnimationTimer_.isValid() || dragAnimationTimer_.isCancelled()) {
        dragAnimationTimer_ = MainQueue::main().scheduleRepeating(
            dragAnimationFrameInterval, [this] { handleDragAnimationTick(); });
    }
}

void OSDGridView::stopDragAnimationTimer() {
    dragAnimationTimer_.cancel();
    dragAnimationTimer_ = WorkItem();
}

void OSDGridView::handleDragAnimationTick() {
    if (dragPositionAnimation_ && !dragPositionAnimation_->isFinished(MainQueue::main().now())) {
        update();
        return;
    }
    const bool hadAnimation = dragPositionAnimation_.has_value();
    dragPositionAnimation_.reset();
    stopDragAnimationTimer();
    if (hadAnimation) {
        update();
    }
}

OSDGridDragItemPositions OSDGridView::resolvedDragItemPositions() {
    if (dragPositionAnimation_) {
        const double now = MainQueue::main().now();
        if (!dragPositionAnimation_->isFinished(now)) {
            return dragPositionAnimation_->positions(now);
        }
        dragPositionAnimation_.reset();
        stopDragAnimationTimer();
    }
    return dragTargetPositions_;
}

} // namespace tessarin
