#pragma once

#include "Hotkeys/OSDKeyBindingAction.h"
#include "Model/Seams/OSDPresentationMetricsRecording.h"
#include "Model/Settings/OSDGridAppearanceSettings.h"
#include "Platform/Input/Event.h"
#include "Platform/SystemServices.h"
#include "Support/WorkItem.h"
#include "UI/OSD/OSDGridActiveHighlight.h"
#include "UI/OSD/OSDGridCellSlot.h"
#include "UI/OSD/OSDGridDragAnimation.h"
#include "UI/OSD/OSDGridDragRenderState.h"
#include "UI/OSD/OSDGridLayerCache.h"
#include "UI/OSD/OSDGridLayout.h"
#include "UI/OSD/OSDGridMouseInteractionContext.h"
#include "UI/OSD/OSDGridMouseInteractionState.h"
#include "UI/OSD/OSDGridPreparedCellPicture.h"
#include "UI/OSD/OSDGridPresentation.h"
#include "UI/OSD/OSDGridSpaceManagementAction.h"
#include "UI/OSD/OSDGridTransitionPlan.h"

#include <QWidget>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>

namespace tessarin {

class OSDGridCanvas;
class OSDGridCellRenderer;

// The view of one OSD grid. The window controller hands it a presentation (a still grid or a
// move of the active cell), the look and, for a grid that takes input, an interaction context;
// the view turns the presentation into the model it draws and glides the active cell's
// highlight along a move. Its geometry keeps y pointing up; the flip to Qt happens in drawing.
class OSDGridView final : public QWidget {
public:
    static constexpr double dragAnimationDuration = 0.12;
    static constexpr double dragAnimationFrameInterval = 1.0 / 60.0;
    // The highlight glides in this long, or in the visible time when that is shorter.
    static constexpr double highlightMoveDuration = 0.14;

    explicit OSDGridView(QWidget* parent = nullptr);
    ~OSDGridView() override;

    // Set by the controller before each showing.
    std::optional<OSDGridPresentation> pendingPresentation;
    OSDPresentationMetricsTraceRef pendingRenderMetricsTrace;
    std::function<void()> pendingAfterFirstRender;
    double pendingConfiguredDuration = 0;
    double pendingVisibleDuration = 0;
    std::function<void(const OSDGridModel&)> displayedModelDidChange;
    bool activeSpaceAnimationEnabled = false;
    // Where "osd.render.drawn" is marked; none marks nothing.
    OSDPresentationMetricsRecording* metrics = nullptr;
    // Turns a host key press into a grid action; the window hands in its binding store.
    std::function<std::optional<OSDKeyBindingAction>(const Event&)> keyBindingActionResolver;

    const OSDGridAppearanceSettings& appearanceSettings() const { return appearanceSettings_; }
    void setAppearanceSettings(const OSDGridAppearanceSettings& settings);
    const std::optional<OSDGridMouseInteractionContext>& mouseInteractionContext() const {
        return mouseInteractionContext_;
    }
    // Every assignment starts a fresh pointer state, also for an equal context.
    void setMouseInteractionContext(std::optional<OSDGridMouseInteractionContext> context);

    // Applies `pendingPresentation`, which stays set.
    void renderPendingPresentation();
    // Refreshes the shown grid in place; a running move keeps going when the model allows.
    void updateVisibleModel(const OSDGridModel& model);
    void updateDisplayedModelFromCurrentPresentation();
    // Installs a context and carries a gesture in progress over to `model`.
    void replaceMouseInteractionContext(std::optional<OSDGridMouseInteractionContext> context,
                                        const OSDGridModel& model);
    // The installed context remade for `model`, after a committed reorder.
    void replaceMouseInteractionModel(const OSDGridModel& model);
    // Forgets the presentation and every transient state; context and look stay.
    void reset();
    // Takes over the cell pictures another view kept, and where it drew its cells, so a grid
    // shown again in a new window does not draw its unchanged cells afresh.
    void adoptLayerCache(OSDGridView& previous) {
        layerCache_ = std::move(previous.layerCache_);
        cellSlots_ = std::move(previous.cellSlots_);
    }
    // Where the last drawing pass drew the body of cell `index`; none before one drew it.
    std::optional<OSDGridCellSlot> cellSlot(int64_t index) const;
    bool hasCellSlots() const { return !cellSlots_.empty(); }
    // A body drawn ahead for the next drawing of cell `index`.
    void offerPreparedCellPicture(int64_t index, OSDGridPreparedCellPicture picture);

    // The model the controller lays its chrome out with.
    std::optional<OSDGridModel> layoutModel() const;
    // The union of the cells in the view's bounds, which the header and footer line up with.
    std::optional<Rect> chromeAlignmentFrame() const;
    const std::optional<OSDGridPresentation>& presentation() const { return presentation_; }
    const std::optional<OSDGridModel>& displayedModel() const { return displayedModel_; }
    const std::optional<OSDGridMouseInteractionState>& mouseInteractionState() const {
        return mouseInteractionState_;
    }
    // The pointer handling hands its new state over here and then refreshes.
    void setMouseInteractionState(OSDGridMouseInteractionState state);
    const std::optional<int64_t>& hoveredSpaceManagementIndex() const {
        return hoveredSpaceManagementIndex_;
    }
    void setHoveredSpaceManagementIndex(std::optional<int64_t> index);
    const std::optional<OSDGridDragRenderState>& dragRenderState() const {
        return dragRenderState_;
    }
    const OSDGridActiveHighlight& activeHighlight() const { return highlight_; }
    bool isActiveOverlayAnimationInFlight() const { return activeOverlayAnimationInFlight_; }
    bool acceptsFirstMouse() const { return mouseInteractionContext_.has_value(); }
    bool acceptsFirstResponder() const {
        return mouseInteractionContext_ && mouseInteractionContext_->allowsKeyboardSelection;
    }
    // The appearance the grid is drawn in: the setting's, or the host's for automatic.
    Appearance resolvedAppearance() const;

    // Also called by the panel's own key handling with the view's context.
    void handleKeyBindingAction(OSDKeyBindingAction action,
                                const OSDGridMouseInteractionContext& context);
    void moveKeyboardSelection(OSDGridKeyboardSelectionDirection direction,
                               const OSDGridMouseInteractionContext& context);

    // One drawing pass into any painter the size of the view.
    void drawGrid(QPainter& painter);
    // The cells where they stand at this moment of the reorder animation.
    OSDGridDragItemPositions resolvedDragItemPositions();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    double renderingInset() const;
    std::optional<OSDGridLayout> layoutFor(const OSDGridModel& model) const;
    OSDGridModel derivedDisplayedModel(const OSDGridModel& presented) const;
    bool isHighlightAnimating() const {
        return activeSpaceAnimationEnabled && activeOverlayAnimationInFlight_;
    }
    static std::optional<Rect> targetFrame(const OSDGridModel& model, const OSDGridLayout& layout);
    void setDisplayedModel(OSDGridModel model, bool notify);
    void keepHighlightOnRefresh(const OSDGridModel& displayed, const OSDGridLayout& layout,
                                bool restart);
    void installMouseInteractionContext(std::optional<OSDGridMouseInteractionContext> context);

    // The active-cell highlight.
    void configureActiveLayerShadow();
    void configureActiveCellAppearance(const OSDGridModel& model, const Rect& targetFrame);
    void applyActiveCellFrame(const Rect& frame, float opacity, const OSDGridModel& model);
    void beginActiveOverlayAnimation(double duration);
    void finishActiveOverlayAnimation(uint64_t token);
    void cancelActiveOverlayAnimation();
    void animateDirectTransition(const OSDGridTransitionPlan& plan, double duration);
    void animateWrappedTransition(const OSDGridTransitionPlan& plan, double duration);

    // The pointer. Handlers answer false where the event goes on to QWidget.
    Point viewPoint(const QPointF& position) const;
    std::optional<OSDGridLayout> baseLayout() const;
    std::optional<int64_t> controlHoverIndex(Point point, const OSDGridLayout& layout) const;
    bool shouldUseExpandedVirtualDragRow(Point point) const;
    std::optional<OSDGridLayout> currentDragInteractionLayout(std::optional<bool> expanded) const;
    void storeResetGestureState();
    bool handleMouseMoved(Point point);
    bool handleMouseDown(Point point);
    bool handleMouseDragged(Point point);
    bool handleMouseUp(Point point);
    void releaseSpaceManagementControl(Point point, const OSDGridLayout& layout);
    bool commitReorder(Point point, const OSDGridLayout& dragLayout);
    void handleMouseExited();
    static void beep();

    // The drag preview.
    bool syncDragPreview(const OSDGridModel& model, const OSDGridLayout& layout);
    void clearDragPreview();
    void startDragPositionAnimation(OSDGridDragItemPositions from, OSDGridDragItemPositions to);
    void stopDragAnimationTimer();
    void handleDragAnimationTick();

    // Drawing.
    void drawCells(const OSDGridCellRenderer& renderer, const OSDGridModel& model,
                   const OSDGridLayout& layout);
    void drawSpaceManagementControls(const OSDGridCanvas& canvas, const OSDGridModel& model,
                                     const OSDGridLayout& layout, int64_t index,
                                     const Rect& frame) const;
    bool drawDragPreviewIfNeeded(const OSDGridCellRenderer& renderer, const OSDGridLayout& layout);
    void finishDrawPass(const OSDPresentationMetricsTraceRef& trace, bool hadAfterFirstRender);

    OSDGridAppearanceSettings appearanceSettings_ = OSDGridAppearanceSettings::defaultValue();
    std::optional<OSDGridMouseInteractionContext> mouseInteractionContext_;
    std::optional<OSDGridPresentation> presentation_;
    std::optional<OSDGridModel> displayedModel_;
    std::optional<OSDGridMouseInteractionState> mouseInteractionState_;
    std::optional<int64_t> hoveredSpaceManagementIndex_;
    std::optional<OSDGridSpaceManagementAction> pressedSpaceManagementAction_;
    std::optional<OSDGridDragRenderState> dragRenderState_;
    OSDGridDragItemPositions dragTargetPositions_;
    std::optional<OSDGridDragAnimation> dragPositionAnimation_;
    WorkItem dragAnimationTimer_;
    OSDGridActiveHighlight highlight_;
    bool activeOverlayAnimationInFlight_ = false;
    uint64_t activeOverlayAnimationToken_ = 0;
    WorkItem activeOverlayAnimationWorkItem_;
    // Repaints the gliding highlight while a move is in flight.
    WorkItem activeOverlayRepaintTimer_;
    OSDGridLayerCache layerCache_;
    std::map<int64_t, OSDGridCellSlot> cellSlots_;
};

} // namespace tessarin
