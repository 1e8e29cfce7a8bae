#include "Core/AppDelegate/AppDelegate.h"
#include "Core/Presentation/OSDPresentationChoice.h"
#include "Core/Presentation/OSDPresentationMetrics.h"
#include "Platform/Host.h"
#include "UI/OSD/OSDGridMouseSelectionWiring.h"

#include <limits>

namespace tessarin {

namespace {

std::string describe(const std::optional<std::string>& value) {
    return value.value_or("nil");
}

template <class Number> std::string describe(const std::optional<Number>& value) {
    return value ? std::to_string(*value) : std::string("nil");
}

std::string describeDirection(std::optional<TessarinDirection> direction) {
    return direction ? OSDPresentationMetrics::directionValue(*direction) : "nil";
}

std::string describe(bool value) {
    return value ? "true" : "false";
}

double now() {
    return OSDPresentationMetrics::currentTime();
}

std::string millisecondsSince(double start) {
    return formatSecondsAsMilliseconds(now() - start);
}

} // namespace

bool AppDelegate::showOSD(uint32_t targetIndex, std::optional<uint32_t> spaceCount,
                          std::optional<uint32_t> sourceIndex,
                          std::optional<TessarinDirection> direction,
                          const std::optional<std::string>& displayIdentifier,
                          const OSDDismissalBehavior& dismissalBehavior,
                          GridOSDInteractionMode interactionMode,
                          const OSDPresentationMetricsTraceRef& metricsTrace) {
    mark("osd.show.started", metricsTrace, [&] {
        return OSDPresentationMetricsFields{{"targetIndex", std::to_string(targetIndex)},
                                            {"spaceCount", describe(spaceCount)},
                                            {"sourceIndex", describe(sourceIndex)},
                                            {"direction", describeDirection(direction)},
                                            {"requestedDisplay", describe(displayIdentifier)}};
    });
    const auto abort = [&](const char* reason, OSDPresentationMetricsFields fields = {}) {
        currentGridOSDDisplayIdentifier.reset();
        fields["reason"] = reason;
        mark("osd.show.aborted", metricsTrace, [&] { return fields; });
        return false;
    };
    const auto display = displayIdentifier ? displayIdentifier : cursorDisplayIdentifier();
    windowPreviews_->cancelPendingWindowSpaceMetadataRefresh();

    const auto settingsDisplay = displaysHaveSeparateSpaces() ? display : std::nullopt;
    const auto spaceDisplay = spaceDisplayIdentifier(display);
    const DisplayPresentationSettingsSnapshot settings =
        presentationStore.snapshot(settingsDisplay);
    DisplayOSDSettings osdSettings = settings.osd;
    if (interactionMode == GridOSDInteractionMode::overridesOSDSetting) {
        osdSettings.isEnabled = true;
    } else if (!osdSettings.isEnabled) {
        return abort("disabled");
    }
    if (!gridModeStore.isEnabled.value()) {
        return abort("grid-disabled");
    }
    if (!spaceCount) {
        return abort("missing-space-count");
    }

    double stepStart = now();
    const bool imagesWanted = shouldCaptureGridSpaceScreenshots(display, false, true);
    // An index past what a grid can hold builds nothing rather than wrapping around.
    const std::optional<OSDGridModel> model =
        targetIndex <= static_cast<uint32_t>(std::numeric_limits<int>::max())
            ? makeGridOSDModel(static_cast<int>(targetIndex), spaceDisplay, settingsDisplay,
                               display, std::nullopt, imagesWanted)
            : std::nullopt;
    if (!model) {
        return abort("model", {{"modelMs", millisecondsSince(stepStart)}});
    }
    mark("osd.model.built", metricsTrace, [&] {
        return OSDPresentationMetricsFields{
            {"modelMs", millisecondsSince(stepStart)},
            {"resolvedDisplay", describe(display)},
            {"spaceDisplay", describe(spaceDisplay)},
            {"cellScreenshots", std::to_string(model->cellScreenshots().size())},
            {"cellIcons", std::to_string(model->cellIcons().size())},
            {"placeholders", std::to_string(model->placeholderIndices().size())}};
    });
    currentGridOSDDisplayIdentifier = display;

    stepStart = now();
    const auto context =
        makeDeferredInteractionContext(*model, display, dismissalBehavior, settings);
    mark("osd.interaction.built", metricsTrace, [&] {
        return OSDPresentationMetricsFields{{"interactionMs", millisecondsSince(stepStart)},
                                            {"hasInteraction", describe(context.has_value())}};
    });

    stepStart = now();
    const auto presentation = osdPresentation(model, sourceIndex, direction);
    if (!presentation) {
        return abort("presentation", {{"presentationMs", millisecondsSince(stepStart)}});
    }
    mark("osd.presentation.built", metricsTrace, [&] {
        return OSDPresentationMetricsFields{{"presentationMs", millisecondsSince(stepStart)}};
    });

    cancelPendingVisibleGridWindowPreviewRefresh();
    auto afterFirstRender = windowPreviews_->windowPreviewsAfterFirstRenderHandler(
        display, settings, metricsTrace, visibleGridWindowPreviewRefreshGeneration);
    mark("visible.preview.refresh.deferred", metricsTrace, [] {
        return OSDPresentationMetricsFields{{"delayMs", formatMilliseconds(1250)},
                                            {"phase", "after-first-render"}};
    });
    const bool previewSessionHidesFirst =
        gridOSDPreviewSession &&
        gridOSDPreviewSession->mode.kind() != GridOSDPreviewSessionMode::Kind::picker;
    auto callbacks = gridOSDDismissalCallbacks(display, previewSessionHidesFirst);

    stepStart = now();
    osdWindow_->show(*presentation, osdSettings, settings.activeSpaceAnimationEnabled,
                     settings.osdAppearance, dismissalBehavior, display, context, callbacks,
                     std::move(afterFirstRender), metricsTrace);
    mark("osd.window.show.returned", metricsTrace, [&] {
        return OSDPresentationMetricsFields{{"windowMs", millisecondsSince(stepStart)}};
    });
    return true;
}

std::optional<OSDGridMouseInteractionContext>
AppDelegate::makeDeferredInteractionContext(const OSDGridModel& model,
                                            const std::optional<std::string>& display,
                                            const OSDDismissalBehavior& dismissalBehavior,
                                            const DisplayPresentationSettingsSnapshot& settings) {
    // Only a grid that stays while the keys are held can be clicked or dragged.
    if (dismissalBehavior.kind() != OSDDismissalBehavior::Kind::untilModifiersReleased) {
        return std::nullopt;
    }
    std::weak_ptr<AppDelegate*> weakSelf = self_;
    const auto withDelegate = [weakSelf](auto&& action) {
        if (auto self = weakSelf.lock()) {
            action(**self);
        }
    };
    const OSDGridRearrangementBehavior rearrangement = settings.rearrangementBehavior;
    OSDGridMouseSelectionWiring::ContextArguments arguments{model};
    arguments.displayIdentifier = display;
    arguments.dismissalBehavior = dismissalBehavior;
    arguments.allowsMouseSelection = settings.allowsMouseSelection;
    arguments.rearrangementBehavior = rearrangement;
    arguments.onSelect = [withDelegate](int64_t index, OSDDismissalBehavior behavior) {
        if (index < 0 || index > std::numeric_limits<uint32_t>::max()) {
            return;
        }
        withDelegate([&](AppDelegate& delegate) {
            delegate.performMouseSelection(static_cast<uint32_t>(index), behavior);
        });
    };
    arguments.onReorder = [withDelegate, display, rearrangement](int64_t from, int64_t to) {
        withDelegate([&](AppDelegate& delegate) {
            delegate.cancelPendingDeferredSpaceSwitch(false, false);
            delegate.persistVisualReorder(from, to, display, rearrangement);
        });
    };
    arguments.onRemoveSpace = [withDelegate, display](int64_t index) {
        withDelegate(
            [&](AppDelegate& delegate) { delegate.performOSDRemoveSpace(index, display); });
    };
    arguments.onAddSpaceAtPlaceholder = [withDelegate, display](int64_t index) {
        withDelegate([&](AppDelegate& delegate) {
            delegate.performOSDAddSpaceAtPlaceholder(index, display);
        });
    };
    arguments.onAddSpaceAtTail = [withDelegate, display] {
        withDelegate([&](AppDelegate& delegate) { delegate.performOSDAddSpaceAtTail(display); });
    };
    arguments.onOpenMissionControl = [withDelegate] {
        withDelegate([](AppDelegate& delegate) { delegate.performOSDOpenMissionControl(); });
    };
    return OSDGridMouseSelectionWiring::makeContext(std::move(arguments));
}

OSDDismissalCallbacks
AppDelegate::gridOSDDismissalCallbacks(const std::optional<std::string>& displayIdentifier,
                                       bool hidesImmediatelyBeforeDismissalStarted) {
    std::weak_ptr<AppDelegate*> weakSelf = self_;
    OSDDismissalCallbacks callbacks;
    callbacks.onDismissalStarted = [weakSelf] {
        if (auto self = weakSelf.lock()) {
            (*self)->cancelPendingVisibleGridWindowPreviewRefresh();
            (*self)->commitDeferredPreviewSession();
        }
    };
    callbacks.onHidden = [weakSelf, displayIdentifier] {
        if (auto self = weakSelf.lock()) {
            (*self)->handleGridOSDHidden(displayIdentifier);
        }
    };
    callbacks.hidesImmediatelyBeforeDismissalStarted = hidesImmediatelyBeforeDismissalStarted;
    return callbacks;
}

void AppDelegate::handleGridOSDHidden(const std::optional<std::string>& displayIdentifier) {
    if (currentGridOSDDisplayIdentifier == displayIdentifier) {
        currentGridOSDDisplayIdentifier.reset();
    }
    if (gridOSDPreviewSession &&
        gridOSDPreviewSession->placementDisplayIdentifier == displayIdentifier) {
        gridOSDPreviewSession.reset();
    }
    windowPreviews_->scheduleWindowSpaceMetadataAndPreviewRefresh(displayIdentifier);
}

} // namespace tessarin
