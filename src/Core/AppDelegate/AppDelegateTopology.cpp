#include "Core/AppDelegate/AppDelegate.h"
#include "Model/Spaces/TessarinSpaceDiagnostics.h"
#include "Platform/DisplayServer.h"
#include "Platform/Host.h"
#include "Support/MainQueue.h"

#include <algorithm>
#include <memory>

namespace tessarin {

namespace {

int connectedScreenCount() {
    return static_cast<int>(Host::current().displays().screens().size());
}

// The number of per-display Space lists the window server reports; nothing when it cannot be
// read (which the stabilizer counts as a collapse).
std::optional<int> spaceDisplayListCount() {
    TessarinManagedDisplaySpaces* spaces = tessarin_copy_managed_display_spaces();
    if (spaces == nullptr) {
        return std::nullopt;
    }
    const uint32_t count = tessarin_count_space_display_lists_in_managed_display_spaces(spaces);
    tessarin_release_managed_display_spaces(spaces);
    return static_cast<int>(count);
}

} // namespace

void AppDelegate::beginSpaceTopologyStabilization(const std::string& reason) {
    if (pendingSpaceTopologyStabilizationRefreshWorkItem) {
        pendingSpaceTopologyStabilizationRefreshWorkItem->cancel();
        pendingSpaceTopologyStabilizationRefreshWorkItem.reset();
        TessarinSpaceDiagnostics::logCompletionCancelled(
            pendingSpaceTopologyStabilizationReason.value_or(reason));
    }
    spaceTopologyStabilizer.begin(reason);
    pendingSpaceTopologyStabilizationReason = reason;

    std::weak_ptr<AppDelegate*> weakSelf = self_;
    pendingSpaceTopologyStabilizationRefreshWorkItem =
        MainQueue::main().asyncAfter(spaceTopologyStabilizer.duration, [weakSelf] {
            if (auto self = weakSelf.lock()) {
                (*self)->completeSpaceTopologyStabilization();
            }
        });
}

void AppDelegate::completeSpaceTopologyStabilization() {
    const std::string reason = pendingSpaceTopologyStabilizationReason.value_or("unknown");
    pendingSpaceTopologyStabilizationRefreshWorkItem.reset();
    // Lets the stabilizer close its window (and accept a collapse that outlasted it).
    if (shouldSuppressTopologySensitiveWork(reason)) {
        // Still settling (the window was reopened without a new completion): look again once
        // the window is over.
        std::weak_ptr<AppDelegate*> weakSelf = self_;
        const double remaining = std::max(
            0.0, spaceTopologyStabilizer.stabilizationDeadline.value_or(MainQueue::main().now()) -
                     MainQueue::main().now());
        pendingSpaceTopologyStabilizationRefreshWorkItem =
            MainQueue::main().asyncAfter(remaining, [weakSelf] {
                if (auto self = weakSelf.lock()) {
                    (*self)->completeSpaceTopologyStabilization();
                }
            });
        return;
    }
    pendingSpaceTopologyStabilizationReason.reset();
    spaceTopologyStabilizer.complete(reason);
    // Everything held back while the displays settled is done now. The Space information
    // refresh also records the settled lists as the new baseline.
    reregisterAllHotkeys();
    shell_->refreshSpaceInfo();
    shell_->refreshPersistentGridOverlay();
    presentation_->refreshVisibleGridOSDIfNeeded(windowPreviews_->currentGridSpaceContext());
}

bool AppDelegate::shouldSuppressTopologySensitiveWork(const std::string& reason) {
    if (!spaceTopologyStabilizer.stabilizationDeadline) {
        // Nothing is settling: no need to ask the window server.
        return false;
    }
    return spaceTopologyStabilizer.shouldSuppressTopologySensitiveWork(
        reason, connectedScreenCount(), spaceDisplayListCount());
}

void AppDelegate::applySpaceIDReplacements(const DisplaySpaceOrderSnapshot& snapshot) {
    if (snapshot.spaceIDReplacements.empty()) {
        return;
    }
    const std::string& display = snapshot.displayIdentifier;
    windowPreviews_->remapSpaceDisplayCaches(display, snapshot.spaceIDReplacements);
    for (const std::string& previewDisplay : windowPreviews_->previewDisplayIdentifiers(display)) {
        windowPreviews_->remapPreviewDisplayCaches(previewDisplay, snapshot.spaceIDReplacements);
    }
}

} // namespace tessarin
