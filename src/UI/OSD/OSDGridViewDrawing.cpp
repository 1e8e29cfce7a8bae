// One drawing pass of the grid: every cell, the buttons of an interactive grid, the gliding
// highlight on top, or the drag preview in place of all of it.
#include "Support/MainQueue.h"
#include "UI/OSD/OSDGridCellPainter.h"
#include "UI/OSD/OSDGridCellRenderer.h"
#include "UI/OSD/OSDGridSpaceManagementControl.h"
#include "UI/OSD/OSDGridView.h"

#include <algorithm>

namespace tessarin {

namespace {

// Grids wider than this draw their titles larger.
constexpr double baseGridWidth = 276;

// Index order, with `last` moved to the end when given, so it is drawn over its neighbours.
std::vector<int64_t> drawingOrder(int64_t count, std::optional<int64_t> skipped,
                                  std::optional<int64_t> last) {
    std::vector<int64_t> order;
    for (int64_t index = 0; index < count; ++index) {
        if (index != skipped && index != last) {
            order.push_back(index);
        }
    }
    if (last && *last >= 0 && *last < count && last != skipped) {
        order.push_back(*last);
    }
    return order;
}

} // namespace

void OSDGridView::drawGrid(QPainter& painter) {
    if (!displayedModel_) {
        return;
    }
    const OSDGridModel model = *displayedModel_;
    const auto layout = layoutFor(model);
    if (!layout) {
        return;
    }
    const OSDPresentationMetricsTraceRef trace = pendingRenderMetricsTrace;
    const bool hadAfterFirstRender = static_cast<bool>(pendingAfterFirstRender);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const OSDGridCanvas canvas(painter, height());
    const OSDGridAppearanceSettings settings = appearanceSettings_;
    const OSDGridCellRenderer renderer({canvas, settings, resolvedAppearance(),
                                        std::max(width() / baseGridWidth, 1.0),
                                        isHighlightAnimating(), &layerCache_});
    if (!drawDragPreviewIfNeeded(renderer, *layout)) {
        drawCells(renderer, model, *layout);
        highlight_.paint(canvas, MainQueue::main().now());
    }
    painter.restore();
    layerCache_.endPass();
    finishDrawPass(trace, hadAfterFirstRender);
}

void OSDGridView::drawCells(const OSDGridCellRenderer& renderer, const OSDGridModel& model,
                            const OSDGridLayout& layout) {
    const auto last = isHighlightAnimating() ? std::nullopt : std::optional(model.activeIndex());
    for (const int64_t index : drawingOrder(model.spaceCount(), std::nullopt, last)) {
        if (!layout.containsIndex(index)) {
            continue;
        }
        const auto frame =
            renderer.drawCell(model, index, layout.frames()[static_cast<std::size_t>(index)]);
        if (!frame) {
            continue;
        }
        cellSlots_.insert_or_assign(index, renderer.slotOf(model, index, *frame));
        layerCache_.cellDrawn(index);
        if (mouseInteractionContext_) {
            drawSpaceManagementControls(renderer.canvas(), model, layout, index, *frame);
        }
    }
}

std::optional<OSDGridCellSlot> OSDGridView::cellSlot(int64_t index) const {
    const auto found = cellSlots_.find(index);
    return found == cellSlots_.end() ? std::nullopt : std::optional(found->second);
}

void OSDGridView::offerPreparedCellPicture(int64_t index, OSDGridPreparedCellPicture picture) {
    layerCache_.offer(index, std::move(picture.key), std::move(picture.image));
}

void OSDGridView::drawSpaceManagementControls(const OSDGridCanvas& canvas,
                                              const OSDGridModel& /*model*/,
                                              const OSDGridLayout& layout, int64_t index,
                                              const Rect& frame) const {
    const OSDGridMouseInteractionContext& context = *mouseInteractionContext_;
    if (OSDGridSpaceManagementControl::canAddAtPlaceholder(index, layout, context)) {
        OSDGridCellPainter::drawAddSpaceControl(
            canvas, OSDGridSpaceManagementControl::addControlFrame(frame));
    }
    if (index == hoveredSpaceManagementIndex_ &&
        OSDGridSpaceManagementControl::canRemove(index, layout, context)) {
        OSDGridCellPainter::drawRemoveSpaceControl(
            canvas, OSDGridSpaceManagementControl::removeControlFrame(frame));
    }
}

bool OSDGridView::drawDragPreviewIfNeeded(const OSDGridCellRenderer& renderer,
                                          const OSDGridLayout& layout) {
    if (!presentation_ || !displayedModel_ || !dragRenderState_) {
        return false;
    }
    const OSDGridModel& presented = presentation_->model();
    const OSDGridDragRenderState drag = *dragRenderState_;
    for (const int64_t index : displayedModel_->virtualDestinationIndices()) {
        if (layout.containsIndex(index)) {
            renderer.drawVirtualDestinationCell(*displayedModel_, index,
                                                layout.frames()[static_cast<std::size_t>(index)]);
        }
    }
    if (drag.destinationIndex >= presented.spaceCount() && layout.containsIndex(drag.sourceIndex)) {
        // The slot the cell leaves for the extra row shows as empty.
        renderer.drawEmptyPlaceholder(layout.frames()[static_cast<std::size_t>(drag.sourceIndex)]);
    }
    const OSDGridDragItemPositions positions = resolvedDragItemPositions();
    const auto last =
        isHighlightAnimating() ? std::nullopt : std::optional(presented.activeIndex());
    for (const int64_t index : drawingOrder(presented.spaceCount(), drag.sourceIndex, last)) {
        if (const auto position = positions.find(index); position != positions.end()) {
            renderer.drawCell(presented, index, position->second);
        }
    }
    if (layout.containsIndex(drag.sourceIndex)) {
        const Size size = layout.frames()[static_cast<std::size_t>(drag.sourceIndex)].size;
        renderer.drawCell(presented, drag.sourceIndex,
                          {drag.dragPoint.x - drag.dragOffset.width,
                           drag.dragPoint.y - drag.dragOffset.height, size.width, size.height});
    }
    return true;
}

void OSDGridView::finishDrawPass(const OSDPresentationMetricsTraceRef& trace,
                                 bool hadAfterFirstRender) {
    if (trace) {
        if (metrics) {
            const OSDGridModel model = *displayedModel_;
            metrics->mark("osd.render.drawn", trace, [model] {
                return OSDPresentationMetricsFields{
                    {"spaceCount", std::to_string(model.spaceCount())},
                    {"activeIndex", std::to_string(model.activeIndex())}};
            });
        }
        if (pendingRenderMetricsTrace == trace) {
            pendingRenderMetricsTrace.reset();
        }
    }
    if (hadAfterFirstRender && pendingAfterFirstRender) {
        std::function<void()> callback = std::move(pendingAfterFirstRender);
        pendingAfterFirstRender = nullptr;
        MainQueue::main().async(std::move(callback));
    }
}

} // namespace tessarin
