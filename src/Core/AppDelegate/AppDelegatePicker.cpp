// The Space picker: the grid opened on demand on the pointer's display or on every screen, and
// the one step that shows or redraws a preview session's grid.

#include "Core/AppDelegate/AppDelegate.h"
#include "Core/Presentation/OSDPresentationChoice.h"
#include "Model/Spaces/ScreenIdentity.h"
#include "Platform/DisplayServer.h"
#include "Platform/Host.h"
#include "Platform/SystemServices.h"
#include "Support/Logger.h"
#include "Support/MainQueue.h"
#include "UI/OSD/OSDGridMouseSelectionWiring.h"

#include <algorithm>
#include <chrono>

namespace tessarin {

namespace {

double nowSeconds() {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

std::string text(const std::optional<std::string>& value) {
    return value ? *value : std::string("nil");
}

std::string millisecondsSince(double start) {
    return formatSecondsAsMilliseconds(nowSeconds() - start);
}

// The visible-grid preview refresh runs 1.25 s after the grid is drawn or redrawn.
OSDPresentationMetricsFields previewRefreshFields(const char* phase) {
    return {{"delayMs", "1250.00"}, {"phase", phase}};
}

bool isPicker(const GridOSDPreviewSessionMode& mode) {
    return mode.kind() == GridOSDPreviewSessionMode::Kind::picker;
}

} // namespace

// ---------------------------------------------------------------- Resolving a display

std::optional<AppDelegate::OSDSpacePickerDisplay>
AppDelegate::makeOSDSpacePickerSession(const std::optional<std::string>& displayIdentifier,
                                       const OSDPresentationMetricsTraceRef& metricsTrace) {
    return resolvePickerDisplay(displayIdentifier, metricsTrace, false);
}

// The primary display marks "picker.aborted"/"picker.resolved" and beeps on failure; any other
// marks "picker.display.skipped"/"picker.display.resolved" and stays silent.
std::optional<AppDelegate::OSDSpacePickerDisplay>
AppDelegate::resolvePickerDisplay(const std::optional<std::string>& displayIdentifier,
                                  const OSDPresentationMetricsTraceRef& metricsTrace,
                                  bool primary) {
    const double resolveStart = nowSeconds();
    const auto spaceDisplay = spaceDisplayIdentifier(displayIdentifier);
    const auto fail = [&](const char* reason, std::optional<double> modelStart) {
        mark(primary ? "picker.aborted" : "picker.display.skipped", metricsTrace, [&] {
            OSDPresentationMetricsFields fields{{"reason", reason},
                                                {"resolveMs", millisecondsSince(resolveStart)}};
            if (!primary) {
                fields["display"] = text(displayIdentifier);
            }
            if (modelStart) {
                fields["modelMs"] = millisecondsSince(*modelStart);
                if (!primary) {
                    fields["spaceDisplay"] = text(spaceDisplay);
                }
            }
            return fields;
        });
        if (primary) {
            Host::current().system().beep();
        }
    };
    const auto info = resolveLiveSpaceInfo(displayIdentifier);
    if (!info) {
        fail("missing-info", std::nullopt);
        return std::nullopt;
    }
    const double modelStart = nowSeconds();
    const auto settingsDisplay = settingsDisplayFor(displayIdentifier);
    const auto resolved =
        spaceDisplay
            ? resolveDisplaySpaceOrderSnapshotWithDescriptors(spaceDisplay, info->spaceCount)
            : std::nullopt;
    if (!resolved) {
        fail("model-or-session", modelStart);
        return std::nullopt;
    }
    const DisplaySpaceOrderSnapshot& snapshot = resolved->displaySnapshot;
    const bool screenshots = shouldCaptureGridSpaceScreenshots(displayIdentifier, false, true);
    const auto model =
        presentation_->makeGridOSDModel(snapshot.activeVisualIndex, spaceDisplay, settingsDisplay,
                                        displayIdentifier, snapshot, screenshots);
    // A model that disagrees with the layout would select and switch to the wrong cell.
    const bool agrees = model && model->spaceCount() == snapshot.slotCount() &&
                        snapshot.activeVisualIndex >= 0 &&
                        snapshot.activeVisualIndex < model->spaceCount();
    auto session =
        agrees ? GridOSDPreviewSession::make(GridOSDPreviewSessionMode::picker(), displayIdentifier,
                                             spaceDisplay, settingsDisplay, snapshot, *model,
                                             snapshot.activeVisualIndex)
               : std::nullopt;
    if (!session) {
        fail("model-or-session", modelStart);
        return std::nullopt;
    }
    mark(primary ? "picker.resolved" : "picker.display.resolved", metricsTrace, [&] {
        return OSDPresentationMetricsFields{{"display", text(displayIdentifier)},
                                            {"spaceDisplay", text(spaceDisplay)},
                                            {"spaceCount", std::to_string(model->spaceCount())},
                                            {"resolveMs", millisecondsSince(resolveStart)},
                                            {"modelMs", millisecondsSince(modelStart)}};
    });
    return OSDSpacePickerDisplay{std::move(*session), presentationStore.snapshot(settingsDisplay)};
}

std::vector<std::optional<std::string>> AppDelegate::osdPickerDisplayIdentifiers(
    const std::optional<std::string>& primaryDisplayIdentifier) {
    std::vector<std::optional<std::string>> identifiers{primaryDisplayIdentifier};
    for (const Screen& screen : Host::current().displays().screens()) {
        const auto identifier = tessarinDisplayIdentifier(screen);
        if (!identifier) {
            continue;
        }
        if (std::find(identifiers.begin(), identifiers.end(), identifier) == identifiers.end()) {
            identifiers.push_back(identifier);
        }
    }
    return identifiers;
}

// ---------------------------------------------------------------- Opening

bool AppDelegate::beginPickerRequest(const OSDPresentationMetricsTraceRef& metricsTrace,
                                     bool showAllScreens) {
    mark("picker.started", metricsTrace, [&] {
        return showAllScreens ? OSDPresentationMetricsFields{{"showAllScreens", "true"}}
                              : OSDPresentationMetricsFields{};
    });
    if (!guardSpaceControlAccess()) {
        mark("picker.aborted", metricsTrace, [] {
            return OSDPresentationMetricsFields{{"reason", "access"}};
        });
        return false;
    }
    if (!gridModeStore.isEnabled.value()) {
        mark("picker.aborted", metricsTrace, [] {
            return OSDPresentationMetricsFields{{"reason", "grid-disabled"}};
        });
        Host::current().system().beep();
        return false;
    }
    return true;
}

void AppDelegate::showOSDSpacePickerOnCursorDisplay(
    const OSDPresentationMetricsTraceRef& metricsTrace) {
    if (!beginPickerRequest(metricsTrace, false)) {
        return;
    }
    const auto display = cursorDisplayIdentifier();
    const auto picker = resolvePickerDisplay(display, metricsTrace, true);
    if (!picker || !showOrRefreshPreviewSession(picker->session, picker->presentationSettings,
                                                OSDDismissalBehavior::manual(), std::nullopt,
                                                std::nullopt, true, metricsTrace)) {
        return;
    }
    scheduleVisibleGridScreenCaptureIfNeeded(display);
}

void AppDelegate::showOSDSpacePickerOnAllScreens(
    const OSDPresentationMetricsTraceRef& metricsTrace) {
    if (!beginPickerRequest(metricsTrace, true)) {
        return;
    }
    const auto display = cursorDisplayIdentifier();
    const auto picker = makeOSDSpacePickerSession(display, metricsTrace);
    if (!picker) {
        Host::current().system().beep();
        return;
    }
    if (!showOrRefreshPreviewSession(picker->session, picker->presentationSettings,
                                     OSDDismissalBehavior::manual(), std::nullopt, std::nullopt,
                                     true, metricsTrace)) {
        return;
    }
    scheduleVisibleGridScreenCaptureIfNeeded(display);
    for (const auto& other : osdPickerDisplayIdentifiers(display)) {
        if (other == display) {
            continue;
        }
        if (const auto additional = makeOSDSpacePickerSession(other, metricsTrace)) {
            showAdditionalPickerGrid(*additional, metricsTrace);
        }
    }
}

// A grid that does not own the preview session: its session is not stored, and its keys do
// nothing (its callbacks act on its own display).
void AppDelegate::showAdditionalPickerGrid(const OSDSpacePickerDisplay& picker,
                                           const OSDPresentationMetricsTraceRef& metricsTrace) {
    const GridOSDPreviewSession& session = picker.session;
    const DisplayPresentationSettingsSnapshot& settings = picker.presentationSettings;
    const auto model = session.baseModel.selectingActiveIndex(session.selectedVisualIndex);
    if (!model) {
        return;
    }
    DisplayOSDSettings osdSettings = settings.osd;
    osdSettings.isEnabled = true;
    const auto context = makePreviewInteractionContext(session, *model, settings,
                                                       OSDDismissalBehavior::manual(), false);
    osdWindow_->showAdditionalGrid(OSDPresentation{OSDGridPresentation::staticGrid(*model)},
                                   osdSettings, settings.activeSpaceAnimationEnabled,
                                   settings.osdAppearance, session.placementDisplayIdentifier,
                                   context, nullptr, metricsTrace);
}

// ---------------------------------------------------------------- Showing a session

bool AppDelegate::showOrRefreshPreviewSession(const GridOSDPreviewSession& session,
                                              const DisplayPresentationSettingsSnapshot& settings,
                                              const OSDDismissalBehavior& dismissalBehavior,
                                              std::optional<uint32_t> sourceIndex,
                                              std::optional<TessarinDirection> direction,
                                              bool replaceInteractionContext,
                                              const OSDPresentationMetricsTraceRef& metricsTrace) {
    gridOSDPreviewSession = session;
    const bool picker = isPicker(session.mode);
    const auto& placement = session.placementDisplayIdentifier;
    mark("preview.session.present.started", metricsTrace, [&] {
        return OSDPresentationMetricsFields{{"placementDisplay", text(placement)},
                                            {"mode", picker ? "picker" : "deferred-hotkey"}};
    });
    const auto model = session.baseModel.selectingActiveIndex(session.selectedVisualIndex);
    if (!model || (!picker && !settings.osd.isEnabled)) {
        gridOSDPreviewSession.reset();
        return false;
    }
    DisplayOSDSettings osdSettings = settings.osd;
    osdSettings.isEnabled = true;
    const double interactionStart = nowSeconds();
    const auto context =
        makePreviewInteractionContext(session, *model, settings, dismissalBehavior, true);
    mark("preview.session.interaction.built", metricsTrace, [&] {
        return OSDPresentationMetricsFields{{"interactionMs", millisecondsSince(interactionStart)},
                                            {"hasInteraction", context ? "true" : "false"}};
    });
    const auto callbacks = gridOSDDismissalCallbacks(placement, !picker);

    if (osdWindow_->isGridVisible(placement)) {
        // Only the pickers are settled (they always replace the context); keeping the shown
        // one is what a caller passing false asks for.
        const auto update = replaceInteractionContext
                                ? OSDGridInteractionContextUpdate::replace(context)
                                : OSDGridInteractionContextUpdate::preserve();
        const double refreshStart = nowSeconds();
        osdWindow_->refreshVisibleGrid(
            *model, placement, settings.activeSpaceAnimationEnabled, settings.osdAppearance, update,
            OSDDismissalUpdate{dismissalBehavior, callbacks}, metricsTrace);
        mark("osd.refresh.returned", metricsTrace, [&] {
            return OSDPresentationMetricsFields{{"refreshMs", millisecondsSince(refreshStart)}};
        });
        if (picker) {
            return true;
        }
        cancelPendingVisibleGridWindowPreviewRefresh();
        mark("visible.preview.refresh.deferred", metricsTrace,
             [] { return previewRefreshFields("visible-grid-refresh"); });
        scheduleDelayedVisibleGridPreviewRefresh(placement, settings);
        mark("visible.preview.refresh.scheduled", metricsTrace,
             [] { return previewRefreshFields("visible-grid-refresh"); });
        return true;
    }

    const double presentationStart = nowSeconds();
    const auto presentation = osdPresentation(*model, sourceIndex, direction);
    const auto presentationFields = [&] {
        return OSDPresentationMetricsFields{
            {"presentationMs", millisecondsSince(presentationStart)}};
    };
    if (!presentation) {
        mark("preview.session.present.aborted", metricsTrace, [&] {
            auto fields = presentationFields();
            fields["reason"] = "presentation";
            return fields;
        });
        gridOSDPreviewSession.reset();
        return false;
    }
    mark("osd.presentation.built", metricsTrace, presentationFields);
    currentGridOSDDisplayIdentifier = placement;
    cancelPendingVisibleGridWindowPreviewRefresh();
    mark("visible.preview.refresh.deferred", metricsTrace,
         [] { return previewRefreshFields("after-first-render"); });
    const double windowStart = nowSeconds();
    osdWindow_->show(
        *presentation, osdSettings, settings.activeSpaceAnimationEnabled, settings.osdAppearance,
        dismissalBehavior, placement, context, callbacks,
        windowPreviews_->windowPreviewsAfterFirstRenderHandler(
            placement, settings, metricsTrace, visibleGridWindowPreviewRefreshGeneration),
        metricsTrace);
    mark("osd.window.show.returned", metricsTrace, [&] {
        return OSDPresentationMetricsFields{{"windowMs", millisecondsSince(windowStart)}};
    });
    return true;
}

} // namespace tessarin
