// Deferred switches: instead of switching at once, a preview of the grid moves its selection and
// the switch is committed later (modifier release, a trackpad delay or tap).

#include "Core/AppDelegate/AppDelegate.h"
#include "Core/Presentation/OSDPresentationMetrics.h"
#include "Hotkeys/PhysicalWindowDragTracker.h"
#include "Platform/Host.h"
#include "Platform/SystemServices.h"
#include "Support/MainQueue.h"

#include <chrono>
#include <limits>

namespace tessarin {

namespace {

double nowSeconds() {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

std::string text(const std::optional<std::string>& value) {
    return value ? *value : std::string("nil");
}

std::string text(bool value) {
    return value ? "true" : "false";
}

OSDDismissalBehavior dismissalOf(const GridOSDPreviewSessionMode& mode) {
    return mode.dismissalBehavior().value_or(OSDDismissalBehavior::manual());
}

} // namespace

bool AppDelegate::isTrackpadPreviewMode(const GridOSDPreviewSessionMode& mode) const {
    if (mode.kind() == GridOSDPreviewSessionMode::Kind::trackpadAfterTap) {
        return true;
    }
    return mode.kind() == GridOSDPreviewSessionMode::Kind::deferredHotkey &&
           mode.dismissalBehavior() &&
           mode.dismissalBehavior()->kind() == OSDDismissalBehavior::Kind::manual;
}

std::optional<GridOSDPreviewSession>
AppDelegate::makeDeferredPreviewSession(GridOSDPreviewSessionMode mode,
                                        const SwitchResolution& resolution) {
    if (!resolution.resolved) {
        return std::nullopt;
    }
    const DisplaySpaceOrderSnapshot& snapshot = resolution.resolved->displaySnapshot;
    const bool screenshots =
        presentation_->shouldCaptureGridSpaceScreenshots(resolution.placementDisplay, false, true);
    const auto model = presentation_->makeGridOSDModel(
        snapshot.activeVisualIndex, resolution.spaceDisplay, resolution.settingsDisplay,
        resolution.placementDisplay, snapshot, screenshots);
    // A model that disagrees with the layout would select the wrong cell.
    if (!model || model->spaceCount() != snapshot.slotCount()) {
        return std::nullopt;
    }
    return GridOSDPreviewSession::make(mode, resolution.placementDisplay, resolution.spaceDisplay,
                                       resolution.settingsDisplay, snapshot, *model,
                                       snapshot.activeVisualIndex);
}

namespace {

// The open session is carried on when it previews the same display in the same way.
bool continues(const std::optional<GridOSDPreviewSession>& session,
               const GridOSDPreviewSessionMode& mode, const std::optional<std::string>& placement,
               const std::optional<std::string>& spaceDisplay) {
    return session && session->mode == mode && session->placementDisplayIdentifier == placement &&
           session->spaceDisplayIdentifier == spaceDisplay;
}

} // namespace

bool AppDelegate::presentDeferredDirectionalPreview(
    TessarinDirection direction, GridOSDPreviewSessionMode mode, const SwitchResolution& resolution,
    const OSDPresentationMetricsTraceRef& metricsTrace) {
    mark("deferred.preview.started", metricsTrace, [&] {
        return OSDPresentationMetricsFields{
            {"direction", OSDPresentationMetrics::directionValue(direction)},
            {"placementDisplay", text(resolution.placementDisplay)},
            {"spaceDisplay", text(resolution.spaceDisplay)},
            {"spaceCount", resolution.info ? std::to_string(resolution.info->spaceCount) : "nil"}};
    });
    const bool wasVisible = osdWindow_->isGridVisible(resolution.placementDisplay);
    std::optional<GridOSDPreviewSession> session;
    if (continues(gridOSDPreviewSession, mode, resolution.placementDisplay,
                  resolution.spaceDisplay)) {
        session = gridOSDPreviewSession;
        mark("deferred.preview.session.reused", metricsTrace, [&] {
            return OSDPresentationMetricsFields{{"wasVisible", text(wasVisible)}};
        });
    } else {
        const double buildStart = nowSeconds();
        session = makeDeferredPreviewSession(mode, resolution);
        const std::string buildMs = formatSecondsAsMilliseconds(nowSeconds() - buildStart);
        if (!session) {
            mark("deferred.preview.aborted", metricsTrace, [&] {
                return OSDPresentationMetricsFields{{"reason", "model-or-session"},
                                                    {"buildMs", buildMs}};
            });
            return false;
        }
        mark("deferred.preview.session.built", metricsTrace, [&] {
            return OSDPresentationMetricsFields{{"buildMs", buildMs}};
        });
    }

    const auto& settingsDisplay = session->settingsDisplayIdentifier;
    const auto result = session->attemptDirectionalMove(
        direction, static_cast<uint32_t>(session->baseModel.columnCount()),
        gridModeStore.blocksAtEdges(settingsDisplay), gridModeStore.wrapStyle(settingsDisplay));
    mark("deferred.preview.move.resolved", metricsTrace, [&] {
        OSDPresentationMetricsFields fields{{"result", result.isMoved() ? "moved" : "unchanged"},
                                            {"wasVisible", text(wasVisible)}};
        if (result.previousIndex()) {
            fields["sourceIndex"] = std::to_string(*result.previousIndex());
        }
        return fields;
    });

    gridOSDPreviewSession = session;
    const std::optional<uint32_t> sourceIndex =
        result.previousIndex() ? std::optional(static_cast<uint32_t>(*result.previousIndex()))
                               : std::nullopt;
    const bool presented = presentation_->showOrRefreshPreviewSession(
        *session, presentationStore.snapshot(settingsDisplay), dismissalOf(mode), sourceIndex,
        result.isMoved() ? std::optional(direction) : std::nullopt, true, metricsTrace);
    if (!presented) {
        gridOSDPreviewSession.reset();
    }
    mark("deferred.preview.presented", metricsTrace, [&] {
        return OSDPresentationMetricsFields{{"presented", text(presented)}};
    });
    return presented;
}

bool AppDelegate::presentDeferredDirectJump(uint32_t index, GridOSDPreviewSessionMode mode,
                                            const SwitchResolution& resolution,
                                            const OSDPresentationMetricsTraceRef& metricsTrace) {
    mark("deferred.direct.started", metricsTrace, [&] {
        return OSDPresentationMetricsFields{{"targetIndex", std::to_string(index)},
                                            {"placementDisplay", text(resolution.placementDisplay)},
                                            {"spaceDisplay", text(resolution.spaceDisplay)}};
    });
    std::optional<GridOSDPreviewSession> session;
    if (continues(gridOSDPreviewSession, mode, resolution.placementDisplay,
                  resolution.spaceDisplay)) {
        session = gridOSDPreviewSession;
        mark("deferred.direct.session.reused", metricsTrace);
    } else {
        const double buildStart = nowSeconds();
        session = makeDeferredPreviewSession(mode, resolution);
        const std::string buildMs = formatSecondsAsMilliseconds(nowSeconds() - buildStart);
        if (!session) {
            mark("deferred.direct.aborted", metricsTrace, [&] {
                return OSDPresentationMetricsFields{{"reason", "model-or-session"},
                                                    {"buildMs", buildMs}};
            });
            return false;
        }
        mark("deferred.direct.session.built", metricsTrace, [&] {
            return OSDPresentationMetricsFields{{"buildMs", buildMs}};
        });
    }
    const int64_t previous = session->selectedVisualIndex;
    if (!session->jump(static_cast<int64_t>(index))) {
        mark("deferred.direct.aborted", metricsTrace, [] {
            return OSDPresentationMetricsFields{{"reason", "jump"}};
        });
        return false;
    }
    gridOSDPreviewSession = session;
    const bool presented = presentation_->showOrRefreshPreviewSession(
        *session, presentationStore.snapshot(session->settingsDisplayIdentifier), dismissalOf(mode),
        static_cast<uint32_t>(previous), std::nullopt, true, metricsTrace);
    if (!presented) {
        gridOSDPreviewSession.reset();
    }
    mark("deferred.direct.presented", metricsTrace, [&] {
        return OSDPresentationMetricsFields{{"presented", text(presented)}};
    });
    return presented;
}

bool AppDelegate::previewDeferredTrackpadSwipe(TessarinDirection direction,
                                               GridOSDPreviewSessionMode mode) {
    if (!guardSpaceControlAccess() || !gridModeStore.isEnabled.value()) {
        return false;
    }
    const SwitchResolution resolution = resolveSwitchRequest(std::nullopt);
    if (!resolution.resolved ||
        !presentationStore.snapshot(resolution.settingsDisplay).osd.isEnabled) {
        return false;
    }
    return presentDeferredDirectionalPreview(direction, mode, resolution, nullptr);
}

void AppDelegate::schedulePendingTrackpadSwipeCommit() {
    if (!gridOSDPreviewSession || !isTrackpadPreviewMode(gridOSDPreviewSession->mode)) {
        return;
    }
    if (pendingTrackpadSwipeCommitWorkItem) {
        pendingTrackpadSwipeCommitWorkItem->cancel();
    }
    // While the fingers are still down another swipe may follow; wait longer.
    const double delay = trackpadSwipeGestureIsActive
                             ? trackpadCommitDelayWhileGestureActive
                             : trackpad_->switchDelayMilliseconds() / 1000.0;
    std::weak_ptr<AppDelegate*> weakSelf = self_;
    pendingTrackpadSwipeCommitWorkItem = Host::current().queue().asyncAfter(delay, [weakSelf] {
        if (auto self = weakSelf.lock()) {
            (*self)->commitPendingTrackpadSwipe();
        }
    });
}

void AppDelegate::commitPendingTrackpadSwipe() {
    if (pendingTrackpadSwipeCommitWorkItem) {
        pendingTrackpadSwipeCommitWorkItem->cancel();
        pendingTrackpadSwipeCommitWorkItem.reset();
    }
    // A late timer or tap must not commit a hotkey preview or a picker opened by hand.
    if (!gridOSDPreviewSession || !isTrackpadPreviewMode(gridOSDPreviewSession->mode)) {
        return;
    }
    trackpad_->cancelPendingTapCommit();
    // Taken before hiding, so the dismissal that the hide starts finds nothing to commit twice.
    std::optional<GridOSDPreviewSession> session = std::move(gridOSDPreviewSession);
    gridOSDPreviewSession.reset();
    osdWindow_->hide(0.2);
    if (session) {
        commitPreviewSession(*session);
    }
}

void AppDelegate::commitDeferredPreviewSession() {
    if (!gridOSDPreviewSession ||
        gridOSDPreviewSession->mode.kind() == GridOSDPreviewSessionMode::Kind::picker) {
        return;
    }
    const GridOSDPreviewSession session = *gridOSDPreviewSession;
    gridOSDPreviewSession.reset();
    if (pendingTrackpadSwipeCommitWorkItem) {
        pendingTrackpadSwipeCommitWorkItem->cancel();
        pendingTrackpadSwipeCommitWorkItem.reset();
    }
    commitPreviewSession(session);
}

void AppDelegate::commitPreviewSession(const GridOSDPreviewSession& session) {
    const std::optional<FocusedWindowThrowCandidate> candidate =
        std::move(pendingDeferredWindowThrowCandidate);
    pendingDeferredWindowThrowCandidate.reset();
    if (!guardSpaceControlAccess()) {
        return;
    }
    const std::optional<std::string>& spaceDisplay = session.spaceDisplayIdentifier;
    const auto info = resolveLiveSpaceInfo(spaceDisplay, SpaceInfoReading::predicting);
    std::optional<DisplaySpaceOrderSnapshot> latest;
    if (info && spaceDisplay) {
        if (auto resolved =
                resolveDisplaySpaceOrderSnapshotWithDescriptors(spaceDisplay, info->spaceCount)) {
            latest = resolved->displaySnapshot;
        }
    }
    const auto resolution =
        session.commitResolution(info ? std::optional(info->currentSpaceID) : std::nullopt, latest);
    if (resolution.kind() != DeferredSpaceSwitchCommitResolution::Kind::switchToSystemIndex) {
        return;
    }
    const int64_t systemIndex = *resolution.systemIndex();
    if (systemIndex < 0 || systemIndex > std::numeric_limits<uint32_t>::max()) {
        return;
    }
    if (candidate && candidate->belongsToDrag(dragTracker.activeDragGeneration())) {
        if (const auto error = throwFocusedWindow(*candidate, static_cast<uint32_t>(systemIndex),
                                                  session.selectedSpaceID, spaceDisplay)) {
            windowThrowLogger().error("window throw refused reason=" + tessarin::rawValue(*error));
            Host::current().system().beep();
        }
        return;
    }
    const bool posted = postAndVerifySwitch(
        static_cast<uint32_t>(systemIndex), session.selectedSpaceID, spaceDisplay,
        latest ? latest : session.displaySnapshot, SpaceSwitchVerificationContext::deferredCommit);
    if (!posted) {
        Host::current().system().beep();
        return;
    }
    shell_->refreshSpaceInfo();
    shell_->refreshPersistentGridOverlay();
}

} // namespace tessarin
