#include "Core/AppDelegate/AppDelegate.h"
#include "Platform/Host.h"
#include "Platform/SystemServices.h"
#include "Support/MainQueue.h"

#include <algorithm>
#include <cmath>
#include <random>

namespace tessarin {

namespace {

constexpr double kOptimisedScreenRefreshInterval = 300;
constexpr double kPowerScreenRefreshInterval = 60;
constexpr double kShortestWindowRefreshDelay = 0.001;
const OperatingSystemVersion kFirstSystemWithPeriodicCaptures{14, 0, 0};

// Uniform in 0...1 with both ends included.
double uniformFraction() {
    static std::mt19937_64 generator{std::random_device{}()};
    std::uniform_real_distribution<double> distribution(0.0, std::nextafter(1.0, 2.0));
    return std::min(distribution(generator), 1.0);
}

} // namespace

void AppDelegate::primeWindowSpaceMetadataAndPreviews() {
    const OSDGridScreenshotTiming timing = presentationStore.snapshot().screenshotTiming;
    MainQueue& queue = Host::current().queue();
    const auto requests = windowPreviews_->primeWindowPreviewsIfNeeded(
        timing, queue.uptime(), previewRandomFraction ? previewRandomFraction : uniformFraction);
    if (!requests) {
        return;
    }
    if (gridModeStore.isEnabled.value()) {
        if (requests->empty()) {
            windowPreviews_->recordWindowMetadataRefreshSkipped("preview-refresh-pending");
        } else if (windowPreviews_->reconcilePreviewRefreshSchedule()) {
            if (pendingWindowSpaceMetadataRefreshTask) {
                pendingWindowSpaceMetadataRefreshTask->cancel();
            }
            const std::int64_t generation = ++windowSpaceMetadataRefreshGeneration;
            pendingWindowSpaceMetadataRefreshIncludesPreviewRequests = true;
            const std::weak_ptr<AppDelegate*> weakSelf = self_;
            pendingWindowSpaceMetadataRefreshTask =
                queue.asyncAfter(0, [weakSelf, requests = *requests, timing, generation] {
                    if (const auto self = weakSelf.lock()) {
                        (*self)->windowPreviews_->refreshWindowSpaceMetadataAndPreviews(
                            requests, timing, true, generation);
                    }
                });
        }
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
