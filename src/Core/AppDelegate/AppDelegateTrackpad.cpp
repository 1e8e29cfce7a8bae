// Trackpad navigation: applies the swipe settings to the raw input and the Dock-swipe tap, and
// turns a recognised swipe into a switch at once, after a delay, or on a three-finger tap.

#include "Core/AppDelegate/AppDelegate.h"
#include "Platform/Host.h"
#include "Platform/SystemServices.h"
#include "Support/MainQueue.h"

namespace tessarin {

namespace {

double systemUptime() {
    return Host::current().queue().uptime();
}

bool isTrusted() {
    return Host::current().system().isProcessTrusted();
}

GridOSDPreviewSessionMode delayedTrackpadPreview() {
    return GridOSDPreviewSessionMode::deferredHotkey(OSDDismissalBehavior::manual());
}

} // namespace

void AppDelegate::bindTrackpad() {
    const std::weak_ptr<AppDelegate*> weakSelf = self_;
    cancellables.push_back(trackpadSwipeSettingsStore.revision.subscribe(
        [weakSelf](int64_t) {
            if (auto self = weakSelf.lock()) {
                (*self)->updateTrackpadSwipeEventTap();
            }
        },
        true));
    cancellables.push_back(
        trackpadRawInputCoordinator.state.subscribe([weakSelf](TrackpadRawInputState) {
            if (auto self = weakSelf.lock()) {
                (*self)->updateTrackpadSwipeSuppressionEventTap();
            }
        }));
}

void AppDelegate::updateTrackpadSwipeEventTap() {
    const bool hadPreview = gridOSDPreviewSession.has_value();
    cancelPendingDeferredSpaceSwitch(false, false);
    if (hadPreview) {
        // The dropped preview has no grid context left to answer clicks or keys.
        osdWindow_->hide(0.2);
    }
    TrackpadRawInputCoordinator& coordinator = trackpadRawInputCoordinator;
    coordinator.fingerCount = trackpadSwipeSettingsStore.navigationFingerCount();
    coordinator.reverseDirection = trackpadSwipeSettingsStore.directionReversed();
    if (trackpadSwipeSettingsStore.navigationEnabled() && isTrusted()) {
        const std::weak_ptr<AppDelegate*> weakSelf = self_;
        const bool shadow = trackpadRawNavigationMode == TrackpadRawNavigationMode::shadow;
        coordinator.desiredEnabled = true;
        coordinator.swipeHandler = [weakSelf, shadow](TessarinDirection direction,
                                                      const TrackpadRawSwipeResult& result) {
            if (auto self = weakSelf.lock()) {
                if (shadow) {
                    (*self)->trackpadRawShadowValidator->recordRaw(result, systemUptime());
                } else {
                    (*self)->handleTrackpadSwipe(direction);
                }
            }
        };
        coordinator.gestureActivityHandler = [weakSelf,
                                              shadow](TrackpadSwipeGestureActivity activity) {
            if (auto self = weakSelf.lock(); self && !shadow) {
                (*self)->handleTrackpadSwipeGestureActivity(activity);
            }
        };
        coordinator.rejectionHandler = [weakSelf, shadow](const TrackpadRawSwipeResult& result) {
            if (auto self = weakSelf.lock(); self && shadow) {
                (*self)->trackpadRawShadowValidator->recordRaw(result, systemUptime());
            }
        };
        coordinator.resetRecognizers();
        coordinator.startIfNeeded();
        updateTrackpadSwipeSuppressionEventTap();
        return;
    }
    coordinator.desiredEnabled = false;
    coordinator.swipeHandler = nullptr;
    coordinator.gestureActivityHandler = nullptr;
    coordinator.rejectionHandler = nullptr;
    coordinator.tapHandler = nullptr;
    coordinator.resetRecognizers();
    coordinator.stop();
    trackpadSwipeEventTap.navigationMode = trackpadRawNavigationMode;
    trackpadSwipeEventTap.selectedFingerCount = coordinator.fingerCount;
    trackpadSwipeEventTap.contactSnapshot = coordinator.sharedContactSnapshot();
    trackpadSwipeEventTap.reverseDirection = coordinator.reverseDirection;
    trackpadSwipeEventTap.stop();
}

void AppDelegate::updateTrackpadSwipeSuppressionEventTap() {
    const bool active =
        trackpadSwipeSettingsStore.navigationEnabled() && isTrusted() &&
        trackpadRawInputCoordinator.state.value() == TrackpadRawInputState::available;
    TrackpadSwipeEventTap& tap = trackpadSwipeEventTap;
    tap.navigationMode = trackpadRawNavigationMode;
    tap.selectedFingerCount = trackpadSwipeSettingsStore.navigationFingerCount();
    tap.contactSnapshot = trackpadRawInputCoordinator.sharedContactSnapshot();
    tap.reverseDirection = trackpadSwipeSettingsStore.directionReversed();
    if (!active) {
        tap.handler = nullptr;
        tap.gestureActivityHandler = nullptr;
        tap.shadowCGHandler = nullptr;
        tap.stop();
        return;
    }
    const std::weak_ptr<AppDelegate*> weakSelf = self_;
    tap.handler = [weakSelf](TessarinDirection direction) {
        if (auto self = weakSelf.lock()) {
            (*self)->handleTrackpadSwipe(direction);
        }
    };
    tap.gestureActivityHandler = [weakSelf](TrackpadSwipeGestureActivity activity) {
        if (auto self = weakSelf.lock()) {
            (*self)->handleTrackpadSwipeGestureActivity(activity);
        }
    };
    tap.shadowCGHandler = [weakSelf](int fingerCount, TrackpadSwipeTransitionDirection direction) {
        if (auto self = weakSelf.lock()) {
            (*self)->trackpadRawShadowValidator->recordCG(fingerCount, direction, systemUptime());
        }
    };
    if (!tap.isInstalled() && !tap.start()) {
        Logger("TrackpadSwipe").error("Failed to install trackpad swipe event tap");
    }
}

void AppDelegate::handleTrackpadSwipe(TessarinDirection direction) {
    switch (trackpadSwipeSettingsStore.switchMode()) {
    case TrackpadSpaceSwitchMode::whileSwiping:
        break;
    case TrackpadSpaceSwitchMode::afterDelay:
        if (previewDeferredTrackpadSwipe(direction, delayedTrackpadPreview())) {
            schedulePendingTrackpadSwipeCommit();
            return;
        }
        break;
    case TrackpadSpaceSwitchMode::afterTap:
        if (previewDeferredTrackpadSwipe(direction,
                                         GridOSDPreviewSessionMode::trackpadAfterTap())) {
            const std::weak_ptr<AppDelegate*> weakSelf = self_;
            trackpadRawInputCoordinator.tapHandler = [weakSelf] {
                if (auto self = weakSelf.lock()) {
                    (*self)->commitPendingTrackpadSwipe();
                }
            };
            // Only a tap that begins after this swipe commits.
            trackpadRawInputCoordinator.resetTapRecognizer();
            return;
        }
        break;
    }
    cancelPendingDeferredSpaceSwitch(false, false);
    performSpaceSwitch(direction);
}

void AppDelegate::handleTrackpadSwipeGestureActivity(TrackpadSwipeGestureActivity activity) {
    if (trackpadSwipeSettingsStore.switchMode() != TrackpadSpaceSwitchMode::afterDelay) {
        return;
    }
    trackpadSwipeGestureIsActive = activity == TrackpadSwipeGestureActivity::began;
    if (gridOSDPreviewSession && isTrackpadPreviewMode(gridOSDPreviewSession->mode)) {
        schedulePendingTrackpadSwipeCommit();
    }
}

} // namespace tessarin
