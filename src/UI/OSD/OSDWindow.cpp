#include "UI/OSD/OSDWindow.h"

#include "Hotkeys/OSDKeyBindingStore.h"
#include "Model/Spaces/ScreenIdentity.h"
#include "Platform/DisplayServer.h"
#include "Platform/Host.h"
#include "Support/MainQueue.h"
#include "UI/OSD/OSDGridWindowMetrics.h"

#include <chrono>
#include <cstdio>

namespace tessarin {
namespace {

std::string displayField(const std::optional<std::string>& displayIdentifier) {
    return displayIdentifier.value_or("nil");
}

std::string points(double value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.0f", value);
    return buffer;
}

// Milliseconds since `start`, for the step marks.
class StepTimer {
public:
    std::string elapsedMs() const {
        const auto elapsed = std::chrono::steady_clock::now() - start_;
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%.3f",
                      std::chrono::duration<double, std::milli>(elapsed).count());
        return buffer;
    }

private:
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

} // namespace

OSDWindow::OSDWindow(OSDPresentationMetricsRecording* metrics) : metrics_(metrics) {}

OSDWindow::~OSDWindow() {
    cancelHideTimer();
    stopMonitoringModifierFlags();
    if (fadeCompletion_) {
        fadeCompletion_->cancel();
    }
    stopFadeAnimation();
}

void OSDWindow::mark(const std::string& step, const OSDPresentationMetricsTraceRef& trace,
                     OSDPresentationMetricsFields fields) const {
    if (metrics_ != nullptr && trace) {
        metrics_->mark(step, trace, [&fields] { return fields; });
    }
}

void OSDWindow::show(const OSDPresentation& presentation, const DisplayOSDSettings& settings,
                     bool activeSpaceAnimationEnabled,
                     const OSDGridAppearanceSettings& appearanceSettings,
                     const OSDDismissalBehavior& dismissalBehavior,
                     const std::optional<std::string>& displayIdentifier,
                     const std::optional<OSDGridMouseInteractionContext>& interactionContext,
                     const std::optional<OSDDismissalCallbacks>& dismissalCallbacks,
                     std::function<void()> afterFirstRender,
                     const OSDPresentationMetricsTraceRef& metricsTrace) {
    if (!settings.isEnabled) {
        return;
    }
    mark("osd.window.show.started", metricsTrace,
         {{"presentation", presentation.grid.isDirectional() ? "directional" : "static"},
          {"display", displayField(displayIdentifier)}});
    // Grids retired by the previous showing are gone from the screen and from every call stack
    // by now; the ones retired below may still be running the callback that led here.
    retiredGrids_.clear();
    cancelHideTimer();
    stopMonitoringModifierFlags();
    dismissSecondaryGridOverlays();
    orderOutUntrackedOverlayPanels();
    ++windowVisibilityToken_;
    primaryGridDisplayIdentifier_ = displayIdentifier;
    currentOSDSettings_ = settings;
    currentDismissalCallbacks_ = dismissalCallbacks;

    const StepTimer rebuild;
    std::unique_ptr<OSDGridWindowParts> previous = std::move(primary_);
    primary_ = makeGrid(displayIdentifier);
    if (previous) {
        previous->orderOutAndReset();
        primary_->gridView->adoptLayerCache(*previous->gridView);
        retiredGrids_.push_back(std::move(previous));
    }
    mark("osd.window.rebuilt", metricsTrace, {{"rebuildMs", rebuild.elapsedMs()}});

    const auto visibleFrame = currentScreenVisibleFrame(displayIdentifier);
    if (!visibleFrame) {
        currentDismissalCallbacks_.reset();
        mark("osd.window.show.aborted", metricsTrace);
        return;
    }
    primary_->currentSettings = settings;
    present(*primary_,
            {presentation, settings, activeSpaceAnimationEnabled, appearanceSettings,
             interactionContext, std::move(afterFirstRender), metricsTrace},
            *visibleFrame, "osd.window.laid-out");
    const StepTimer dismissal;
    armDismissal(dismissalBehavior);
    mark("osd.dismissal.scheduled", metricsTrace, {{"dismissalMs", dismissal.elapsedMs()}});
}

std::unique_ptr<OSDGridWindowParts>
OSDWindow::makeGrid(const std::optional<std::string>& displayIdentifier) {
    auto parts = OSDGridWindowParts::make(displayIdentifier);
    OSDGridView& view = *parts->gridView;
    view.metrics = metrics_;
    view.keyBindingActionResolver = [](const Event& event) {
        return OSDKeyBindingStore::shared().action(event);
    };
    view.displayedModelDidChange = [this, grid = parts.get()](const OSDGridModel& model) {
        refreshChrome(*grid, model);
    };
    return parts;
}

void OSDWindow::present(OSDGridWindowParts& parts, const PresentRequest& request,
                        const Rect& visibleFrame, const std::string& laidOutStep) {
    const StepTimer layoutTimer;
    const OSDDismissalTiming timing = OSDDismissalTiming::fromStoredDuration();
    const bool showsFooter = request.context.has_value();
    parts.applyAppearanceMode(request.appearanceSettings.appearanceMode);
    parts.applyHeaderIconStyle(request.appearanceSettings.headerIconStyle);
    parts.applyInteractionContext(request.context);
    OSDGridView& view = *parts.gridView;
    view.setAppearanceSettings(request.appearanceSettings);
    const OSDGridModel& model = request.presentation.grid.model();
    const Size size = OSDGridWindowMetrics::windowSize(model, request.settings.gridSize,
                                                       showsFooter, parts.renderingInset());
    parts.panel->setContentSize(size);
    parts.applyBackdropOpacity(request.settings.gridOpacity);

    view.setMouseInteractionContext(request.context);
    if (view.activeSpaceAnimationEnabled != request.activeSpaceAnimationEnabled) {
        view.activeSpaceAnimationEnabled = request.activeSpaceAnimationEnabled;
        view.updateDisplayedModelFromCurrentPresentation();
    }
    view.pendingPresentation = request.presentation.grid;
    view.pendingAfterFirstRender = request.afterFirstRender;
    view.pendingConfiguredDuration = timing.totalDuration;
    view.pendingVisibleDuration = timing.visibleDuration;
    parts.headerDetailLabel->setText(QString::fromStdString(gridHeaderTitle(model)));
    parts.layoutSubviews(request.settings.gridSize, showsFooter);

    parts.panel->setHostFrameOrigin(origin(request.settings.gridPlacement, visibleFrame, size, 24));
    mark(laidOutStep, request.trace,
         {{"layoutMs", layoutTimer.elapsedMs()},
          {"width", points(size.width)},
          {"height", points(size.height)},
          {"showsFooter", showsFooter ? "true" : "false"}});

    const StepTimer order;
    const bool makeKey = request.context && request.context->allowsKeyboardSelection;
    showWindow(parts, makeKey);
    mark("osd.window.ordered", request.trace,
         {{"orderMs", order.elapsedMs()}, {"makeKey", makeKey ? "true" : "false"}});

    view.pendingRenderMetricsTrace = request.trace;
    view.renderPendingPresentation();
    mark("osd.render.pending", request.trace);
    const StepTimer chrome;
    refreshChrome(parts, view.displayedModel() ? view.displayedModel() : model);
    mark("osd.chrome.refreshed", request.trace, {{"chromeMs", chrome.elapsedMs()}});
}

void OSDWindow::showWindow(OSDGridWindowParts& parts, bool makeKey) {
    parts.panel->setAlpha(1);
    if (makeKey) {
        parts.panel->makeKeyAndOrderFront();
        parts.gridView->setFocus();
    } else {
        parts.panel->orderFrontRegardless();
    }
}

void OSDWindow::refreshChrome(OSDGridWindowParts& parts, const std::optional<OSDGridModel>& model) {
    const bool showsFooter = parts.gridView->mouseInteractionContext().has_value();
    parts.headerDetailLabel->setText(QString::fromStdString(gridHeaderTitle(model)));
    parts.footerLabel->setVisible(showsFooter);
    const OSDGridSize gridSize =
        parts.currentSettings ? parts.currentSettings->gridSize : storedGridSize();
    if (!model) {
        parts.layoutSubviews(gridSize, showsFooter);
        return;
    }
    parts.resize(
        OSDGridWindowMetrics::windowSize(*model, gridSize, showsFooter, parts.renderingInset()),
        gridSize, showsFooter);
}

void OSDWindow::refreshVisibleGrid(const OSDGridModel& model,
                                   const std::optional<std::string>& displayIdentifier,
                                   bool activeSpaceAnimationEnabled,
                                   const OSDGridAppearanceSettings& appearanceSettings,
                                   const OSDGridInteractionContextUpdate& interactionContextUpdate,
                                   const std::optional<OSDDismissalUpdate>& dismissalUpdate,
                                   const OSDPresentationMetricsTraceRef& metricsTrace) {
    const bool isPrimary = displayIdentifier == primaryGridDisplayIdentifier_;
    OSDGridWindowParts* parts = nullptr;
    if (isPrimary) {
        parts = primary_.get();
    } else if (auto found = secondaryGridOverlays_.find(overlayKey(displayIdentifier));
               found != secondaryGridOverlays_.end()) {
        parts = found->second.get();
    }
    if (parts == nullptr || !parts->isVisible()) {
        mark("osd.refresh.aborted", metricsTrace);
        return;
    }
    refreshGrid(*parts, model, activeSpaceAnimationEnabled, appearanceSettings,
                interactionContextUpdate, metricsTrace);
    // The dismissal of the whole OSD stays with the primary grid.
    if (isPrimary && dismissalUpdate) {
        applyDismissalUpdate(*dismissalUpdate);
    }
}

void OSDWindow::refreshGrid(OSDGridWindowParts& parts, const OSDGridModel& model,
                            bool activeSpaceAnimationEnabled,
                            const OSDGridAppearanceSettings& appearanceSettings,
                            const OSDGridInteractionContextUpdate& update,
                            const OSDPresentationMetricsTraceRef& trace) {
    mark("osd.refresh.started", trace,
         {{"spaceCount", std::to_string(model.spaceCount())},
          {"activeIndex", std::to_string(model.activeIndex())}});
    parts.applyAppearanceMode(appearanceSettings.appearanceMode);
    parts.applyHeaderIconStyle(appearanceSettings.headerIconStyle);
    OSDGridView& view = *parts.gridView;
    if (update.kind() != OSDGridInteractionContextUpdate::Kind::preserve) {
        if (update.kind() == OSDGridInteractionContextUpdate::Kind::replace) {
            view.setMouseInteractionContext(update.context());
        } else {
            view.replaceMouseInteractionContext(update.context(), model);
        }
        parts.applyInteractionContext(update.context());
        if (update.context() && update.context()->allowsKeyboardSelection) {
            showWindow(parts, true);
        }
    }
    if (view.activeSpaceAnimationEnabled != activeSpaceAnimationEnabled) {
        view.activeSpaceAnimationEnabled = activeSpaceAnimationEnabled;
        view.updateDisplayedModelFromCurrentPresentation();
    }
    view.setAppearanceSettings(appearanceSettings);
    // A refresh that traces nothing, landing before the showing's first drawing, leaves that
    // drawing its trace.
    if (trace) {
        view.pendingRenderMetricsTrace = trace;
    }
    view.updateVisibleModel(model);
    refreshChrome(parts, view.displayedModel() ? view.displayedModel() : model);
    mark("osd.refresh.updated", trace);
}

OSDGridWindowParts* OSDWindow::gridFor(const std::optional<std::string>& displayIdentifier) const {
    if (displayIdentifier && displayIdentifier != primaryGridDisplayIdentifier_) {
        auto found = secondaryGridOverlays_.find(*displayIdentifier);
        return found == secondaryGridOverlays_.end() ? nullptr : found->second.get();
    }
    return primary_.get();
}

std::optional<OSDGridModel>
OSDWindow::currentGridModel(const std::optional<std::string>& displayIdentifier) const {
    const OSDGridWindowParts* parts = gridFor(displayIdentifier);
    if (parts == nullptr || !parts->isVisible() || !parts->gridView->presentation()) {
        return std::nullopt;
    }
    return parts->gridView->presentation()->model();
}

bool OSDWindow::isGridVisible(const std::optional<std::string>& displayIdentifier) const {
    return currentGridModel(displayIdentifier).has_value();
}

std::optional<OSDGridMouseInteractionContext> OSDWindow::currentGridMouseInteractionContext(
    const std::optional<std::string>& displayIdentifier) const {
    const OSDGridWindowParts* parts = gridFor(displayIdentifier);
    if (parts == nullptr || !parts->isVisible()) {
        return std::nullopt;
    }
    return parts->gridView->mouseInteractionContext();
}

std::optional<OSDGridMouseInteractionContext>
OSDWindow::currentGridMouseInteractionContext() const {
    if (!primary_ || !primary_->isVisible()) {
        return std::nullopt;
    }
    return primary_->gridView->mouseInteractionContext();
}

std::optional<OSDGridCellSlot>
OSDWindow::cellSlot(const std::optional<std::string>& displayIdentifier, int64_t index) const {
    const OSDGridWindowParts* parts = gridFor(displayIdentifier);
    return parts == nullptr ? std::nullopt : parts->gridView->cellSlot(index);
}

bool OSDWindow::hasDrawnCells(const std::optional<std::string>& displayIdentifier) const {
    const OSDGridWindowParts* parts = gridFor(displayIdentifier);
    return parts != nullptr && parts->gridView->hasCellSlots();
}

void OSDWindow::offerPreparedCellPicture(const std::optional<std::string>& displayIdentifier,
                                         int64_t index, OSDGridPreparedCellPicture picture) {
    if (OSDGridWindowParts* parts = gridFor(displayIdentifier)) {
        parts->gridView->offerPreparedCellPicture(index, std::move(picture));
    }
}

std::vector<std::optional<std::string>> OSDWindow::visibleGridDisplayIdentifiers() const {
    std::vector<std::optional<std::string>> identifiers;
    if (primary_ && primary_->isVisible()) {
        identifiers.push_back(primaryGridDisplayIdentifier_);
    }
    for (const auto& [key, overlay] : secondaryGridOverlays_) {
        if (overlay->isVisible()) {
            identifiers.push_back(overlay->displayIdentifier);
        }
    }
    return identifiers;
}

void OSDWindow::suspendForSyntheticEventPosting() {
    cancelHideTimer();
    stopMonitoringModifierFlags();
    ++windowVisibilityToken_;
    currentDismissalCallbacks_.reset();
    if (primary_) {
        primary_->orderOutAndReset();
    }
    primaryGridDisplayIdentifier_.reset();
    dismissSecondaryGridOverlays();
}

std::optional<Rect>
OSDWindow::currentScreenVisibleFrame(const std::optional<std::string>& displayIdentifier) {
    if (displayIdentifier) {
        for (const Screen& screen : Host::current().displays().screens()) {
            const std::string identifier =
                screen.uuid.empty() ? std::to_string(screen.displayID) : screen.uuid;
            if (identifier == *displayIdentifier) {
                return screen.visibleFrame;
            }
        }
    }
    const auto fallback = tessarinScreenContainingMouse();
    return fallback ? std::optional<Rect>(fallback->visibleFrame) : std::nullopt;
}

} // namespace tessarin
