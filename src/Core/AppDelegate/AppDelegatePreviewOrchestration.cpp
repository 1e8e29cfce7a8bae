// When window previews are refreshed: per-display scheduling, the 0.25 s debounce after a grid
// hid or a Desktop changed, the refresh 1.25 s after a grid was shown, the Space-change entries
// at random within 10 s, and the periodic refresh of window capture mode.

#include "Core/AppDelegate/AppDelegate.h"
#include "Core/Presentation/OSDPresentationMetrics.h"
#include "Core/Previews/OSDGridScreenshotMetrics.h"
#include "Platform/Host.h"
#include "Support/Logger.h"
#include "Support/MainQueue.h"

#include <algorithm>
#include <cmath>
#include <random>

namespace tessarin {

namespace {

constexpr double kMetadataRefreshDebounce = 0.25;
constexpr double kVisibleGridPreviewRefreshDelay = 1.25;
constexpr double kSpaceChangePreviewSpread = 10;

// Uniform in 0...1 with both ends included.
double uniformFraction() {
    static std::mt19937_64 generator{std::random_device{}()};
    std::uniform_real_distribution<double> distribution(0.0, std::nextafter(1.0, 2.0));
    return std::min(distribution(generator), 1.0);
}

OSDPresentationMetricsFields phaseFields(const std::string& phase) {
    return {{"phase", phase}};
}

OSDPresentationMetricsFields skipFields(const char* reason, const std::string& phase) {
    return {{"phase", phase}, {"reason", reason}};
}

} // namespace

double AppDelegate::nextPreviewRandomFraction() {
    return previewRandomFraction ? previewRandomFraction() : uniformFraction();
}

bool AppDelegate::refreshPlanIncludesPreviews() {
    return windowSpaceRefreshPlan(std::nullopt).refreshesPreviews;
}

void AppDelegate::refreshWindowSpaceMetadataOnly() {
    refreshWindowSpaceMetadataOnly(std::nullopt);
}

void AppDelegate::refreshWindowSpaceMetadataOnly(const std::optional<std::string>& display) {
    if (!windowSpaceRefreshPlan(display).refreshesMetadata) {
        return;
    }
    refreshWindowSpaceMetadataAndPreviews({}, presentationStore.snapshot().screenshotTiming, false,
                                          windowPreviewDisplayItems(display), true);
}

bool AppDelegate::scheduleAllVisibleSpacePreviewRefreshes() {
    return scheduleAllVisibleSpacePreviewRefreshes(WindowPreviewRefreshReason::settingsChanged, 0,
                                                   0);
}

bool AppDelegate::scheduleAllVisibleSpacePreviewRefreshes(WindowPreviewRefreshReason reason,
                                                          double initialDelay,
                                                          double spreadDuration) {
    const auto items = windowPreviewDisplayItems();
    const auto snapshots = resolveWindowPreviewSnapshots(items);
    if (snapshots.empty()) {
        return false;
    }
    std::vector<DisplaySpaceOrderSnapshot> layouts;
    for (const auto& [display, snapshot] : snapshots) {
        layouts.push_back(snapshot);
    }
    windowPreviewRefreshScheduler.scheduleAllVisibleSpaces(
        layouts, previewDisplayIdentifiersBySpaceDisplayIdentifier(items), reason,
        MainQueue::main().now(), initialDelay, spreadDuration);
    return true;
}

bool AppDelegate::scheduleWindowPreviewRefreshForDisplay(const std::optional<std::string>& display,
                                                         WindowPreviewRefreshReason reason,
                                                         TimeInterval now) {
    const std::optional<std::string> previewDisplay = display ? display : cursorDisplayIdentifier();
    if (!previewDisplay || !windowSpaceRefreshPlan(previewDisplay).refreshesPreviews) {
        return false;
    }
    const auto owner = spaceDisplayIdentifier(previewDisplay);
    const auto live = owner ? resolveLiveSpaceInfo(owner) : std::nullopt;
    const auto resolved =
        live ? resolveDisplaySpaceOrderSnapshotWithDescriptors(owner, live->spaceCount)
             : std::nullopt;
    if (!resolved) {
        return false;
    }
    // Only this screen previews these Spaces here; other screens keep their own schedules.
    windowPreviewRefreshScheduler.scheduleDisplay(resolved->displaySnapshot, *previewDisplay,
                                                  reason, now);
    shell_->restartPeriodicGridScreenshotRefresh();
    return true;
}

void AppDelegate::scheduleWindowSpaceMetadataAndPreviewRefresh(
    const std::optional<std::string>& displayIdentifier) {
    if (pendingWindowSpaceMetadataRefreshWorkItem) {
        pendingWindowSpaceMetadataRefreshWorkItem->cancel();
    }
    const std::weak_ptr<AppDelegate*> weakSelf = self_;
    pendingWindowSpaceMetadataRefreshWorkItem =
        MainQueue::main().asyncAfter(kMetadataRefreshDebounce, [weakSelf, displayIdentifier] {
            const auto self = weakSelf.lock();
            if (!self) {
                return;
            }
            AppDelegate& delegate = **self;
            delegate.pendingWindowSpaceMetadataRefreshWorkItem.reset();
            if (!delegate.scheduleWindowPreviewRefreshForDisplay(
                    displayIdentifier, WindowPreviewRefreshReason::settingsChanged,
                    MainQueue::main().now())) {
                delegate.refreshWindowSpaceMetadataOnly(displayIdentifier);
            }
        });
}

void AppDelegate::refreshWindowPreviewsAfterVisibleGridPresentation(
    const std::optional<std::string>& display,
    const DisplayPresentationSettingsSnapshot& presentationSettings) {
    if (presentationSettings.screenshotCaptureMode != OSDGridScreenshotCaptureMode::window ||
        !scheduleWindowPreviewRefreshForDisplay(display,
                                                WindowPreviewRefreshReason::visibleGridPresentation,
                                                MainQueue::main().now())) {
        scheduleWindowSpaceMetadataAndPreviewRefresh(display);
    }
}

std::function<void()> AppDelegate::windowPreviewsAfterFirstRenderHandler(
    const std::optional<std::string>& displayIdentifier,
    const DisplayPresentationSettingsSnapshot& settings,
    const OSDPresentationMetricsTraceRef& metricsTrace, int64_t generation) {
    const std::weak_ptr<AppDelegate*> weakSelf = self_;
    return [weakSelf, displayIdentifier, settings, metricsTrace, generation] {
        const auto self = weakSelf.lock();
        if (!self) {
            return;
        }
        AppDelegate& delegate = **self;
        if (delegate.visibleGridWindowPreviewRefreshGeneration != generation) {
            delegate.mark("visible.preview.refresh.skipped", metricsTrace);
            return;
        }
        const std::string phase = "after-first-render";
        // Replaces the stored item without cancelling it; an older one finds its generation old.
        delegate.pendingVisibleGridWindowPreviewRefreshWorkItem = MainQueue::main().asyncAfter(
            kVisibleGridPreviewRefreshDelay,
            [weakSelf, displayIdentifier, settings, metricsTrace, generation, phase] {
                if (const auto owner = weakSelf.lock()) {
                    (*owner)->runVisibleGridWindowPreviewRefresh(displayIdentifier, settings,
                                                                 metricsTrace, phase, generation);
                }
            });
        delegate.mark("visible.preview.refresh.scheduled", metricsTrace,
                      [&phase] { return phaseFields(phase); });
    };
}

void AppDelegate::scheduleVisibleGridWindowPreviewRefresh(
    const std::optional<std::string>& placementDisplay,
    const DisplayPresentationSettingsSnapshot& settings, const std::string& phase,
    int64_t generation) {
    runVisibleGridWindowPreviewRefresh(placementDisplay, settings, nullptr, phase, generation);
}

void AppDelegate::runVisibleGridWindowPreviewRefresh(
    const std::optional<std::string>& display, const DisplayPresentationSettingsSnapshot& settings,
    const OSDPresentationMetricsTraceRef& metricsTrace, const std::string& phase,
    int64_t generation) {
    if (visibleGridWindowPreviewRefreshGeneration != generation) {
        mark("visible.preview.refresh.skipped", metricsTrace,
             [&phase] { return skipFields("superseded", phase); });
        return;
    }
    pendingVisibleGridWindowPreviewRefreshWorkItem.reset();
    if (!osdWindow_->isGridVisible(display)) {
        mark("visible.preview.refresh.skipped", metricsTrace,
             [&phase] { return skipFields("not-visible", phase); });
        return;
    }
    mark("visible.preview.refresh.started", metricsTrace, [&phase] { return phaseFields(phase); });
    const double start = OSDPresentationMetrics::currentTime();
    refreshWindowPreviewsAfterVisibleGridPresentation(display, settings);
    mark("visible.preview.refresh.returned", metricsTrace, [&phase, start] {
        auto fields = phaseFields(phase);
        fields.emplace("refreshMs",
                       formatSecondsAsMilliseconds(OSDPresentationMetrics::currentTime() - start));
        return fields;
    });
}

void AppDelegate::scheduleWindowPreviewsForSpace(const std::string& spaceDisplayIdentifier,
                                                 SpaceID spaceID, WindowPreviewRefreshReason reason,
                                                 TimeInterval date) {
    for (const std::string& previewDisplay : previewDisplayIdentifiers(spaceDisplayIdentifier)) {
        if (const auto key =
                WindowPreviewRefreshKey::make(spaceDisplayIdentifier, previewDisplay, spaceID)) {
            windowPreviewRefreshScheduler.scheduleNextRefresh(*key, reason, date);
        }
    }
}

void AppDelegate::scheduleWindowPreviewRefreshAfterSpaceChange(
    const std::optional<OSDGridSpaceContext>& currentContext,
    const std::optional<std::pair<std::string, SpaceID>>& previousSpace, double now) {
    const std::optional<std::string> display =
        currentContext ? std::optional(currentContext->displayIdentifier) : std::nullopt;
    if (!windowSpaceRefreshPlan(display).refreshesPreviews) {
        scheduleWindowSpaceMetadataAndPreviewRefresh(display);
        return;
    }
    // Nothing is captured on the switch itself: each Space gets its own random date.
    if (currentContext) {
        scheduleWindowPreviewsForSpace(currentContext->displayIdentifier, currentContext->spaceID,
                                       WindowPreviewRefreshReason::spaceSwitchCurrent,
                                       now +
                                           kSpaceChangePreviewSpread * nextPreviewRandomFraction());
    }
    if (previousSpace) {
        scheduleWindowPreviewsForSpace(previousSpace->first, previousSpace->second,
                                       WindowPreviewRefreshReason::spaceSwitchPrevious,
                                       now +
                                           kSpaceChangePreviewSpread * nextPreviewRandomFraction());
    }
    shell_->restartPeriodicGridScreenshotRefresh();
}

void AppDelegate::performScheduledWindowPreviewRefresh(TimeInterval now) {
    const OSDGridScreenshotTiming timing = presentationStore.snapshot().screenshotTiming;
    const auto requests = windowPreviewRefreshScheduler.dueRefreshRequests(now);
    if (requests.empty()) {
        shell_->restartPeriodicGridScreenshotRefresh();
        return;
    }
    OSDGridScreenshotMetrics::emit(
        "screenshot.periodic.fired",
        {{"mode", "window"}, {"requests", std::to_string(requests.size())}});
    // The task re-arms the timer when it ends.
    refreshWindowSpaceMetadataAndPreviews(requests, timing, false, windowPreviewDisplayItems(),
                                          true);
}

} // namespace tessarin
