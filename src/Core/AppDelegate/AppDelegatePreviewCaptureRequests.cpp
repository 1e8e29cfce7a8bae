// The preview phase of the refresh task: the due requests become capture requests, one per
// screen that shows previews, and the schedule follows every capture: in flight when it starts,
// its next periodic date when it ends, and the same date for a request that never started. A
// request for a Space whose capture is still pending joins that capture.

#include "Core/AppDelegate/WindowMetadataRefreshRun.h"
#include "Model/Spaces/ScreenIdentity.h"
#include "Support/MainQueue.h"

#include <algorithm>
#include <memory>
#include <set>
#include <utility>

namespace tessarin {

namespace {

using Reason = WindowPreviewRefreshReason;

// Refreshes the user asked for, or that follow a change, capture even a current preview; the
// start-up prime and rekeyed Spaces take what is cached, and a shown grid only under `power`.
bool forcesCapture(Reason reason, OSDGridScreenshotTiming timing) {
    switch (reason) {
    case Reason::spaceSwitchCurrent:
    case Reason::spaceSwitchPrevious:
    case Reason::wake:
    case Reason::periodic:
    case Reason::settingsChanged:
        return true;
    case Reason::visibleGridPresentation:
        return timing == OSDGridScreenshotTiming::power;
    case Reason::startupPrime:
    case Reason::spaceIDReplacement:
        return false;
    }
    return false;
}

std::string pairOf(const std::string& spaceDisplay, const std::string& previewDisplay) {
    return spaceDisplay + "|" + previewDisplay;
}

} // namespace

void AppDelegate::requestWindowPreviewPhase(const WindowMetadataRefreshRun& run) {
    // One answer for the whole phase: each asks for a copy of every display's Spaces.
    const SeparateSpacesPin pin(*this);
    std::vector<WindowPreviewRefreshRequest> unserved;
    std::set<std::string> servedPairs;
    for (const WindowPreviewDisplayItem& item : run.items) {
        servedPairs.insert(pairOf(item.spaceDisplayIdentifier, item.previewDisplayIdentifier));
        std::vector<WindowPreviewRefreshRequest> requests;
        std::copy_if(run.requests.begin(), run.requests.end(), std::back_inserter(requests),
                     [&item](const WindowPreviewRefreshRequest& request) {
                         return request.key.previewDisplayIdentifier() ==
                                    item.previewDisplayIdentifier &&
                                request.key.spaceDisplayIdentifier() == item.spaceDisplayIdentifier;
                     });
        if (requests.empty()) {
            continue;
        }
        const auto snapshot = run.snapshots.find(item.spaceDisplayIdentifier);
        if (snapshot == run.snapshots.end() ||
            !shouldPrimeWindowSpacePreviews(item.previewDisplayIdentifier,
                                            run.allowScreenModePreviews)) {
            unserved.insert(unserved.end(), requests.begin(), requests.end());
            continue;
        }
        ReasonsBySpace reasons;
        std::set<SpaceID> targets;
        bool force = false;
        for (const WindowPreviewRefreshRequest& request : requests) {
            reasons.emplace(request.key.spaceID(), request.reason);
            targets.insert(request.key.spaceID());
            force = force || forcesCapture(request.reason, run.timing);
        }
        const auto contexts = requestWindowPreviewCaptures(
            snapshot->second, item.previewDisplayIdentifier, targets, reasons, run.timing, force);
        for (const WindowPreviewRefreshRequest& request : requests) {
            const bool started =
                std::any_of(contexts.begin(), contexts.end(), [&](const OSDGridSpaceContext& c) {
                    return c.spaceID == request.key.spaceID();
                });
            if (started) {
                continue;
            }
            // A capture of the Space still waits or runs: the request rides on it, in flight
            // until that capture ends (at the latest by its deadline) and books its next date.
            // Booked unserved it would be due again, and declined again, while it waits.
            if (gridWindowSpaceController->isPreviewInFlight(
                    {item.previewDisplayIdentifier, request.key.spaceID()})) {
                windowPreviewRefreshScheduler.noteCaptureRequested(request);
                continue;
            }
            unserved.push_back(request);
        }
    }
    // Requests of a screen that is gone.
    for (const WindowPreviewRefreshRequest& request : run.requests) {
        if (!servedPairs.contains(pairOf(request.key.spaceDisplayIdentifier(),
                                         request.key.previewDisplayIdentifier()))) {
            unserved.push_back(request);
        }
    }
    bookUnservedPreviewRequests(unserved, run.timing);
}

void AppDelegate::bookUnservedPreviewRequests(
    const std::vector<WindowPreviewRefreshRequest>& unserved, OSDGridScreenshotTiming timing) {
    // Not retried at once: each gets its next periodic date.
    const TimeInterval now = MainQueue::main().now();
    for (const WindowPreviewRefreshRequest& request : unserved) {
        windowPreviewRefreshScheduler.noteCaptureCompleted(
            request.key, request.reason, false, timing, now,
            [this] { return nextPreviewRandomFraction(); });
    }
    shell_->restartPeriodicGridScreenshotRefresh();
}

std::vector<OSDGridSpaceContext> AppDelegate::requestWindowPreviewCaptures(
    const DisplaySpaceOrderSnapshot& snapshot, const std::string& previewDisplayIdentifier,
    const std::set<SpaceID>& targets, const ReasonsBySpace& reasons,
    std::optional<OSDGridScreenshotTiming> timing, bool force) {
    std::set<SpaceID> candidates = targets;
    for (const SpaceID obscured : obscuredVisualSpaceIDs(snapshot)) {
        candidates.erase(obscured);
    }
    if (candidates.empty()) {
        return {};
    }
    const std::weak_ptr<AppDelegate*> weakSelf = self_;
    const auto keyOf = [spaceDisplay = snapshot.displayIdentifier,
                        previewDisplayIdentifier](const OSDGridSpaceContext& context) {
        return WindowPreviewRefreshKey::make(spaceDisplay, previewDisplayIdentifier,
                                             context.spaceID);
    };
    // Shared by every capture's callbacks, which are copied per Space.
    const auto reasonOf = [shared =
                               std::make_shared<const ReasonsBySpace>(reasons)](SpaceID spaceID) {
        const auto found = shared->find(spaceID);
        return found == shared->end() ? Reason::periodic : found->second;
    };
    const auto onRequest = [weakSelf, keyOf, reasonOf](const OSDGridSpaceContext& context) {
        const auto self = weakSelf.lock();
        const auto key = keyOf(context);
        if (self && key) {
            (*self)->windowPreviewRefreshScheduler.noteCaptureRequested(
                {*key, reasonOf(context.spaceID)});
        }
    };
    const auto onUpdate =
        [weakSelf, spaceDisplay = snapshot.displayIdentifier](const OSDGridSpaceContext& context) {
            if (const auto self = weakSelf.lock()) {
                (*self)->refreshVisibleGridAfterCapture(context);
                (*self)->prepareStoredPreviewCell(context, spaceDisplay);
            }
        };
    const auto onCompletion = [weakSelf, keyOf, reasonOf,
                               timing](const OSDGridSpaceContext& context, bool stored) {
        const auto self = weakSelf.lock();
        const auto key = keyOf(context);
        if (!self || !key || !timing) {
            return;
        }
        AppDelegate& delegate = **self;
        // A key reconciled away meanwhile changes nothing and arms nothing.
        if (!delegate.windowPreviewRefreshScheduler.scheduledRefreshBySpace().contains(*key)) {
            return;
        }
        delegate.windowPreviewRefreshScheduler.noteCaptureCompleted(
            *key, reasonOf(context.spaceID), stored, *timing, MainQueue::main().now(),
            [&delegate] { return delegate.nextPreviewRandomFraction(); });
        delegate.shell_->restartPeriodicGridScreenshotRefresh();
    };
    return gridWindowSpaceController->requestPreviewCaptures(
        snapshot, previewDisplayIdentifier, tessarinScreen(previewDisplayIdentifier), candidates,
        true, force, onRequest, onUpdate, onCompletion);
}

void AppDelegate::refreshVisibleGridAfterCapture(const OSDGridSpaceContext& context) {
    const bool scheduled = !capturesAwaitingGridRefresh_.empty();
    // Each refresh redraws the whole grid, so the latest capture of a display stands for all.
    capturesAwaitingGridRefresh_.insert_or_assign(context.displayIdentifier, context);
    if (scheduled) {
        return;
    }
    MainQueue::main().async([weakSelf = std::weak_ptr<AppDelegate*>(self_)] {
        const auto self = weakSelf.lock();
        if (!self) {
            return;
        }
        AppDelegate& delegate = **self;
        const auto captures = std::exchange(delegate.capturesAwaitingGridRefresh_, {});
        const SeparateSpacesPin pin(delegate);
        for (const auto& [display, context] : captures) {
            delegate.presentation_->refreshVisibleGridOSDIfNeeded(context);
        }
    });
}

} // namespace tessarin
