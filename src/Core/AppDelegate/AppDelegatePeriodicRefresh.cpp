#include "Core/AppDelegate/AppDelegate.h"
#include "Platform/Host.h"
#include "Platform/SystemServices.h"
#include "Support/MainQueue.h"

#include <algorithm>

namespace tessarin {

namespace {

constexpr double kOptimisedScreenRefreshInterval = 300;
constexpr double kPowerScreenRefreshInterval = 60;
constexpr double kShortestWindowRefreshDelay = 0.001;
const OperatingSystemVersion kFirstSystemWithPeriodicCaptures{14, 0, 0};

} // namespace

void AppDelegate::primeWindowSpaceMetadataAndPreviews() {
    const OSDGridScreenshotTiming timing = presentationStore.snapshot().screenshotTiming;
    const auto requests = windowPreviews_->primeWindowPreviewsIfNeeded(
        timing, Host::current().queue().uptime(), [this] { return nextPreviewRandomFraction(); });
    if (requests) {
        // Start-up captures previews in screen capture mode too, and scans nothing without
        // requests: the first switch or grid refreshes the metadata.
        windowPreviews_->refreshWindowSpaceMetadataAndPreviews(*requests, timing, true, false);
    }
    restartPeriodicGridScreenshotRefresh();
}

void AppDelegate::restartPeriodicGridScreenshotRefresh() {
    if (periodicGridScreenshotRefreshTimer) {
        periodicGridScreenshotRefreshTimer->cancel();
        periodicGridScreenshotRefreshTimer.reset();
    }
    const DisplayPresentationSettingsSnapshot settings = presentationStore.snapshot();
    const SystemServices& system = Host::current().system();
    if (!gridModeStore.isEnabled.value() || !settings.screenshotsEnabled ||
        !system.operatingSystemVersion().isAtLeast(kFirstSystemWithPeriodicCaptures) ||
        !system.preflightScreenCaptureAccess()) {
        return;
    }
    MainQueue& queue = Host::current().queue();
    const std::weak_ptr<AppDelegate*> weakSelf = self_;
    // The timer starts a task of its own, so the refresh never runs inside the timer's turn.
    const auto fire = [weakSelf, &queue] {
        queue.async([weakSelf] {
            if (const auto self = weakSelf.lock()) {
                (*self)->windowPreviews_->performPeriodicGridScreenshotRefresh();
            }
        });
    };
    if (settings.screenshotCaptureMode == OSDGridScreenshotCaptureMode::window) {
        const auto deadline = windowPreviews_->nextPreviewRefreshDeadline();
        if (!deadline) {
            return;
        }
        periodicGridScreenshotRefreshTimer = queue.asyncAfter(
            std::max(*deadline - queue.uptime(), kShortestWindowRefreshDelay), fire);
        return;
    }
    switch (settings.screenshotTiming) {
    case OSDGridScreenshotTiming::performant:
        return;
    case OSDGridScreenshotTiming::optimised:
        periodicGridScreenshotRefreshTimer =
            queue.scheduleRepeating(kOptimisedScreenRefreshInterval, fire);
        return;
    case OSDGridScreenshotTiming::power:
        periodicGridScreenshotRefreshTimer =
            queue.scheduleRepeating(kPowerScreenRefreshInterval, fire);
        return;
    }
}

} // namespace tessarin
