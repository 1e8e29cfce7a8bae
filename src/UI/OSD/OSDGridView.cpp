#include "UI/OSD/OSDGridView.h"

#include "Platform/Host.h"
#include "Support/MainQueue.h"
#include "UI/OSD/OSDGridCellStyle.h"

#include <QPainter>
#include <cmath>

namespace tessarin {

OSDGridView::OSDGridView(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(false);
    setFocusPolicy(Qt::NoFocus);
    configureActiveLayerShadow();
}

OSDGridView::~OSDGridView() {
    // Queued work holds only these handles, so cancelling them is all a release must do.
    activeOverlayAnimationWorkItem_.cancel();
    activeOverlayRepaintTimer_.cancel();
    dragAnimationTimer_.cancel();
}

Appearance OSDGridView::resolvedAppearance() const {
    switch (appearanceSettings_.appearanceMode) {
    case OSDAppearanceMode::light:
        return Appearance::light;
    case OSDAppearanceMode::dark:
        return Appearance::dark;
    case OSDAppearanceMode::automatic:
        break;
    }
    return Host::installed() ? Host::current().system().appearance() : Appearance::light;
}

double OSDGridView::renderingInset() const {
    const double glow = appearanceSettings_.activeSpaceGlowOpacity.rawValue >= 1
                            ? appearanceSettings_.activeSpaceGlowSpread.rawValue
                            : 0;
    return std::ceil(appearanceSettings_.activeSpaceBorderWidth.rawValue * 0.5 + glow);
}

std::optional<OSDGridLayout> OSDGridView::layoutFor(const OSDGridModel& model) const {
    return OSDGridLayout::make(model, {static_cast<double>(width()), static_cast<double>(height())},
                               renderingInset());
}

OSDGridModel OSDGridView::derivedDisplayedModel(const OSDGridModel& presented) const {
    if (!mouseInteractionState_) {
        return presented;
    }
    const OSDGridRearrangementBehavior behavior =
        mouseInteractionContext_ ? mouseInteractionContext_->rearrangementBehavior
                                 : OSDGridRearrangementBehavior::swap;
    return mouseInteractionState_->displayedModel(presented, behavior).value_or(presented);
}

std::optional<Rect> OSDGridView::targetFrame(const OSDGridModel& model,
                                             const OSDGridLayout& layout) {
    if (!layout.containsIndex(model.activeIndex())) {
        return std::nullopt;
    }
    return layout.frames()[static_cast<std::size_t>(model.activeIndex())];
}

void OSDGridView::setDisplayedModel(OSDGridModel model, bool notify) {
    displayedModel_ = std::move(model);
    update();
    if (notify && displayedModelDidChange) {
        displayedModelDidChange(*displayedModel_);
    }
}

std::optional<OSDGridModel> OSDGridView::layoutModel() const {
    if (displayedModel_) {
        return displayedModel_;
    }
    if (presentation_) {
        return presentation_->model();
    }
    if (pendingPresentation) {
        return pendingPresentation->model();
    }
    return std::nullopt;
}

std::optional<Rect> OSDGridView::chromeAlignmentFrame() const {
    const auto model = layoutModel();
    const auto layout = model ? layoutFor(*model) : std::nullopt;
    if (!layout || layout->frames().empty()) {
        return std::nullopt;
    }
    Rect cells = layout->frames().front();
    for (const Rect& frame : layout->frames()) {
        cells = cells.united(frame);
    }
    return cells;
}

void OSDGridView::renderPendingPresentation() {
    if (!pendingPresentation) {
        return;
    }
    presentation_ = pendingPresentation;
    setDisplayedModel(derivedDisplayedModel(presentation_->model()), false);
    const OSDGridModel displayed = *displayedModel_;
    const auto layout = layoutFor(displayed);
    const auto target = layout ? targetFrame(displayed, *layout) : std::nullopt;
    if (!target) {
        cancelActiveOverlayAnimation();
        return;
    }
    const OSDGridDirectionalTransition* transition = presentation_->directionalTransition();
    const auto plan = transition && activeSpaceAnimationEnabled
                          ? OSDGridTransitionPlan::make(*transition, *layout)
                          : std::nullopt;
    if (plan && pendingVisibleDuration > 0) {
        // The configured share is clamped to exactly the glide time, so only a shorter visible
        // time can shorten the move.
        const double configured = std::clamp(pendingConfiguredDuration * 0.45,
                                             highlightMoveDuration, highlightMoveDuration);
        const double duration = std::min(pendingVisibleDuration, configured);
        highlight_.removeAllAnimations();
        highlight_.hidden = false;
        configureActiveCellAppearance(displayed, *target);
        applyActiveCellFrame(*target, 1, displayed);
        beginActiveOverlayAnimation(duration);
        if (plan->exitFrame() && plan->entryFrame()) {
            animateWrappedTransition(*plan, duration);
        } else {
            animateDirectTransition(*plan, duration);
        }
    } else {
        cancelActiveOverlayAnimation();
    }
    if (displayedModelDidChange) {
        displayedModelDidChange(displayed);
    }
}

void OSDGridView::keepHighlightOnRefresh(const OSDGridModel& displayed, const OSDGridLayout& layout,
                                         bool restart) {
    const auto target = targetFrame(displayed, layout);
    if (!target) {
        cancelActiveOverlayAnimation();
        return;
    }
    if (!activeSpaceAnimationEnabled || !activeOverlayAnimationInFlight_) {
        cancelActiveOverlayAnimation();
        return;
    }
    const float opacity = restart ? 1.0f : highlight_.opacity;
    if (restart) {
        // The highlight jumps to its end; the flight still ends when its work item runs.
        highlight_.removeAllAnimations();
    }
    highlight_.hidden = false;
    configureActiveCellAppearance(displayed, *target);
    applyActiveCellFrame(*target, opacity, displayed);
}

void OSDGridView::updateVisibleModel(const OSDGridModel& model) {
    if (!presentation_) {
        return;
    }
    const OSDGridDirectionalTransition* transition = presentation_->directionalTransition();
    const auto replaced = transition ? transition->replacingModel(model) : std::nullopt;
    presentation_ = replaced ? OSDGridPresentation::directional(*replaced)
                             : OSDGridPresentation::staticGrid(model);
    setDisplayedModel(derivedDisplayedModel(model), true);
    const OSDGridModel displayed = *displayedModel_;
    const auto layout = layoutFor(displayed);
    if (!layout || !targetFrame(displayed, *layout)) {
        cancelActiveOverlayAnimation();
        return;
    }
    if (syncDragPreview(model, *layout)) {
        cancelActiveOverlayAnimation();
        return;
    }
    keepHighlightOnRefresh(displayed, *layout, false);
}

void OSDGridView::updateDisplayedModelFromCurrentPresentation() {
    if (!presentation_) {
        displayedModel_.reset();
        clearDragPreview();
        cancelActiveOverlayAnimation();
        return;
    }
    const OSDGridModel presented = presentation_->model();
    setDisplayedModel(derivedDisplayedModel(presented), true);
    const OSDGridModel displayed = *displayedModel_;
    const auto layout = layoutFor(displayed);
    if (!layout || !targetFrame(displayed, *layout)) {
        cancelActiveOverlayAnimation();
        return;
    }
    if (syncDragPreview(presented, *layout)) {
        cancelActiveOverlayAnimation();
        return;
    }
    keepHighlightOnRefresh(displayed, *layout, true);
}

void OSDGridView::reset() {
    pendingPresentation.reset();
    pendingRenderMetricsTrace.reset();
    pendingAfterFirstRender = nullptr;
    presentation_.reset();
    displayedModel_.reset();
    mouseInteractionState_.reset();
    hoveredSpaceManagementIndex_.reset();
    pressedSpaceManagementAction_.reset();
    clearDragPreview();
    cancelActiveOverlayAnimation();
    update();
}

void OSDGridView::setAppearanceSettings(const OSDGridAppearanceSettings& settings) {
    if (settings == appearanceSettings_) {
        return;
    }
    appearanceSettings_ = settings;
    configureActiveLayerShadow();
    update();
}

void OSDGridView::installMouseInteractionContext(
    std::optional<OSDGridMouseInteractionContext> context) {
    mouseInteractionContext_ = std::move(context);
    if (mouseInteractionContext_) {
        OSDGridMouseInteractionState state;
        state.currentActiveIndex = mouseInteractionContext_->currentActiveIndex;
        state.cellTitles = mouseInteractionContext_->cellTitles;
        state.placeholderIndices = mouseInteractionContext_->placeholderIndices;
        mouseInteractionState_ = std::move(state);
    } else {
        mouseInteractionState_.reset();
    }
    hoveredSpaceManagementIndex_.reset();
    pressedSpaceManagementAction_.reset();
    clearDragPreview();
    // Pointer moves are followed exactly while the grid takes input.
    setMouseTracking(mouseInteractionContext_.has_value());
    setFocusPolicy(acceptsFirstResponder() ? Qt::StrongFocus : Qt::NoFocus);
}

void OSDGridView::setMouseInteractionContext(
    std::optional<OSDGridMouseInteractionContext> context) {
    installMouseInteractionContext(std::move(context));
}

void OSDGridView::replaceMouseInteractionContext(
    std::optional<OSDGridMouseInteractionContext> context, const OSDGridModel& model) {
    const std::optional<OSDGridMouseInteractionState> oldState = mouseInteractionState_;
    installMouseInteractionContext(std::move(context));
    if (mouseInteractionContext_ && oldState) {
        mouseInteractionState_ = oldState->replacingModel(model);
    }
}

void OSDGridView::replaceMouseInteractionModel(const OSDGridModel& model) {
    if (!mouseInteractionContext_) {
        return;
    }
    OSDGridMouseInteractionContext context = *mouseInteractionContext_;
    context.currentActiveIndex = model.activeIndex();
    context.cellTitles = model.cellTitles();
    context.placeholderIndices = model.placeholderIndices();
    replaceMouseInteractionContext(std::move(context), model);
}

void OSDGridView::setMouseInteractionState(OSDGridMouseInteractionState state) {
    if (mouseInteractionContext_) {
        mouseInteractionState_ = std::move(state);
    }
}

void OSDGridView::setHoveredSpaceManagementIndex(std::optional<int64_t> index) {
    if (index != hoveredSpaceManagementIndex_) {
        hoveredSpaceManagementIndex_ = index;
        update();
    }
}

void OSDGridView::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    drawGrid(painter);
}

} // namespace tessarin
