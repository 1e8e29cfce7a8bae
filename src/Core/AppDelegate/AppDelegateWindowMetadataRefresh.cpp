// The refresh task: the window metadata of every Space display is scanned on the executor and
// recorded as it arrives, then, unless a newer task superseded this one, the due previews are
// requested. One task runs at a time.

#include "Core/AppDelegate/WindowMetadataRefreshRun.h"
#include "Core/Previews/OSDGridScreenshotMetrics.h"

namespace tessarin {

void AppDelegate::refreshWindowSpaceMetadataAndPreviews(
    const std::vector<WindowPreviewRefreshRequest>& requests, OSDGridScreenshotTiming timing,
    bool allowsScreenCaptures, bool refreshesMetadataWhenRequestsAreEmpty) {
    refreshWindowSpaceMetadataAndPreviews(requests, timing, allowsScreenCaptures, std::nullopt,
                                          refreshesMetadataWhenRequestsAreEmpty);
}

void AppDelegate::refreshWindowSpaceMetadataAndPreviews(
    const std::vector<WindowPreviewRefreshRequest>& requests, OSDGridScreenshotTiming timing,
    bool allowScreenModePreviews, const std::optional<std::vector<WindowPreviewDisplayItem>>& items,
    bool refreshesMetadataWhenRequestsAreEmpty) {
    if (!gridModeStore.isEnabled.value()) {
        return;
    }
    // A running task with requests scans every display first anyway.
    if (requests.empty() && (!refreshesMetadataWhenRequestsAreEmpty ||
                             pendingWindowSpaceMetadataRefreshIncludesPreviewRequests)) {
        OSDGridScreenshotMetrics::emit("window.metadata.skipped",
                                       {{"reason", "preview-refresh-pending"}});
        return;
    }
    auto run = std::make_shared<WindowMetadataRefreshRun>();
    run->items = items ? *items : windowPreviewDisplayItems();
    run->snapshots = resolveWindowPreviewSnapshots(run->items);
    if (run->snapshots.empty()) {
        // No task will end to re-arm the timer: the due requests would stay due and no
        // periodic refresh would fire again.
        if (!requests.empty()) {
            bookUnservedPreviewRequests(requests, timing);
        }
        return;
    }
    if (!requests.empty()) {
        std::vector<DisplaySpaceOrderSnapshot> layouts;
        for (const auto& [display, snapshot] : run->snapshots) {
            layouts.push_back(snapshot);
        }
        windowPreviewRefreshScheduler.reconcile(
            layouts, previewDisplayIdentifiersBySpaceDisplayIdentifier(run->items));
    }
    if (pendingWindowSpaceMetadataRefreshTask) {
        pendingWindowSpaceMetadataRefreshTask->cancel();
    }
    run->generation = ++windowSpaceMetadataRefreshGeneration;
    pendingWindowSpaceMetadataRefreshIncludesPreviewRequests = !requests.empty();
    pendingWindowSpaceMetadataRefreshTask = run->task;
    run->requests = requests;
    run->allowScreenModePreviews = allowScreenModePreviews;
    run->timing = timing;
    run->scansOutstanding = run->snapshots.size();

    const std::weak_ptr<AppDelegate*> weakSelf = self_;
    // Copied: a scan with no visible Space completes at once, before the loop moves on.
    const auto snapshots = run->snapshots;
    for (const auto& [display, snapshot] : snapshots) {
        gridWindowSpaceController->refreshMetadataInBackground(
            snapshot, *previewWork, run->task,
            [weakSelf, run, snapshot](OSDGridWindowSpaceController::Sources sources) {
                const auto self = weakSelf.lock();
                if (!self) {
                    return;
                }
                AppDelegate& delegate = **self;
                delegate.recordWindowMetadataSources(sources, snapshot);
                delegate.presentation_->refreshVisibleGridOSDIfVisible(
                    delegate.currentGridOSDDisplayIdentifier);
                if (--run->scansOutstanding == 0) {
                    delegate.finishWindowMetadataPhase(run);
                }
            });
    }
}

void AppDelegate::finishWindowMetadataPhase(const std::shared_ptr<WindowMetadataRefreshRun>& run) {
    const bool current =
        !run->task.isCancelled() && windowSpaceMetadataRefreshGeneration == run->generation;
    if (current) {
        requestWindowPreviewPhase(*run);
    }
    if (windowSpaceMetadataRefreshGeneration == run->generation) {
        pendingWindowSpaceMetadataRefreshTask.reset();
        pendingWindowSpaceMetadataRefreshIncludesPreviewRequests = false;
    }
}

void AppDelegate::cancelPendingWindowSpaceMetadataRefresh() {
    if (pendingWindowSpaceMetadataRefreshWorkItem) {
        pendingWindowSpaceMetadataRefreshWorkItem->cancel();
        pendingWindowSpaceMetadataRefreshWorkItem.reset();
    }
}

} // namespace tessarin
