#include "Platform/Host.h"
#include "Platform/Input/EventSystem.h"
#include "Support/MainQueue.h"
#include "UI/OSD/OSDWindow.h"

#include <algorithm>

namespace tessarin {
namespace {

constexpr double kFadeFrameInterval = 1.0 / 60.0;

} // namespace

void OSDWindow::cancelHideTimer() {
    if (hideTimer_) {
        hideTimer_->cancel();
        hideTimer_.reset();
    }
}

void OSDWindow::armDismissal(const OSDDismissalBehavior& behavior) {
    const OSDDismissalTiming timing = OSDDismissalTiming::fromStoredDuration();
    if (behavior.kind() == OSDDismissalBehavior::Kind::manual) {
        return;
    }
    const uint64_t required = behavior.watchedModifierFlags();
    if (behavior.hidesAfterDisplayTime() || required == 0) {
        scheduleTimedHide(timing.visibleDuration, timing.fadeDuration);
        return;
    }
    startMonitoringModifierFlags(required, timing.fadeDuration);
    // The keys may already be up by the time the grid appears.
    if ((Host::current().events().flagsState() & required) != required) {
        hide(timing.fadeDuration);
    }
}

void OSDWindow::applyDismissalUpdate(const OSDDismissalUpdate& update) {
    cancelHideTimer();
    stopMonitoringModifierFlags();
    currentDismissalCallbacks_ = update.callbacks;
    armDismissal(update.behavior);
}

void OSDWindow::scheduleTimedHide(double visibleDuration, double fade) {
    hideTimer_ = MainQueue::main().asyncAfter(visibleDuration, [this, fade] { hide(fade); });
}

void OSDWindow::startMonitoringModifierFlags(uint64_t requiredFlags, double fade) {
    const uint64_t required = requiredFlags & EventFlags::maskShortcutModifiers;
    auto handler = [this, required, fade](const Event& event) {
        if (required == 0 || (event.flags & required) != required) {
            hide(fade);
        }
    };
    EventSystem& events = Host::current().events();
    const EventMask mask = eventMaskBit(EventType::flagsChanged);
    globalModifierFlagsMonitor_ = events.addMonitor(mask, handler);
    localModifierFlagsMonitor_ = events.addMonitor(mask, handler);
}

void OSDWindow::stopMonitoringModifierFlags() {
    for (auto* monitor : {&globalModifierFlagsMonitor_, &localModifierFlagsMonitor_}) {
        if (*monitor) {
            Host::current().events().removeConsumer(**monitor);
            monitor->reset();
        }
    }
}

void OSDWindow::hide(double duration) {
    cancelHideTimer();
    stopMonitoringModifierFlags();
    const uint64_t token = ++windowVisibilityToken_;
    const std::optional<OSDDismissalCallbacks> callbacks = std::move(currentDismissalCallbacks_);
    currentDismissalCallbacks_.reset();

    // Gathered before any callback runs: a callback may show a new grid, which retires these.
    std::vector<OSDOverlayPanel*> fadingPanels = disarmGridsForHiding();
    if (callbacks && callbacks->hidesImmediatelyBeforeDismissalStarted) {
        if (finalizeHideVisualsIfCurrent(token)) {
            if (callbacks->onDismissalStarted) {
                callbacks->onDismissalStarted();
            }
            if (callbacks->onHidden) {
                callbacks->onHidden();
            }
        }
        return;
    }
    if (callbacks && callbacks->onDismissalStarted) {
        callbacks->onDismissalStarted();
        // A show or hide from the callback has taken over (and may have freed the panels).
        if (token != windowVisibilityToken_) {
            return;
        }
    }
    std::function<void()> onHidden = callbacks ? callbacks->onHidden : nullptr;
    if (fadingPanels.empty()) {
        if (finalizeHideVisualsIfCurrent(token) && onHidden) {
            onHidden();
        }
        return;
    }
    if (fadeCompletion_) {
        fadeCompletion_->cancel();
    }
    startFadeAnimation(std::move(fadingPanels), duration, token);
    fadeCompletion_ = MainQueue::main().asyncAfter(
        std::max(duration, 0.0), [this, token, onHidden] { finishFade(token, onHidden); });
}

std::vector<OSDOverlayPanel*> OSDWindow::disarmGridsForHiding() {
    std::vector<OSDGridWindowParts*> grids;
    if (primary_) {
        grids.push_back(primary_.get());
    }
    for (auto& [key, overlay] : secondaryGridOverlays_) {
        grids.push_back(overlay.get());
    }
    std::vector<OSDOverlayPanel*> stillVisible;
    for (OSDGridWindowParts* grid : grids) {
        grid->panel->setIgnoresMouseEvents(true);
        grid->panel->setAcceptsMouseMovedEvents(false);
        grid->gridView->setMouseInteractionContext(std::nullopt);
        // A keyboard-driven picker goes at once; only panels that are not key fade.
        if (grid->panel->isKeyWindow()) {
            grid->panel->orderOut();
        }
        if (grid->isVisible()) {
            stillVisible.push_back(grid->panel.get());
        }
    }
    return stillVisible;
}

void OSDWindow::startFadeAnimation(std::vector<OSDOverlayPanel*> panels, double duration,
                                   uint64_t token) {
    stopFadeAnimation();
    if (duration <= 0) {
        return;
    }
    MainQueue& queue = MainQueue::main();
    const double start = queue.now();
    // A panel still fading from an earlier hide goes on from where it is, not from opaque.
    std::vector<std::pair<OSDOverlayPanel*, double>> fading;
    for (OSDOverlayPanel* panel : panels) {
        fading.emplace_back(panel, panel->alpha());
    }
    // The panels stay alive until the next show, which also moves the token on.
    fadeTick_ = queue.scheduleRepeating(
        kFadeFrameInterval, [this, fading = std::move(fading), duration, token, start] {
            if (token != windowVisibilityToken_) {
                stopFadeAnimation();
                return;
            }
            const double progress = std::min((MainQueue::main().now() - start) / duration, 1.0);
            for (const auto& [panel, startAlpha] : fading) {
                panel->setAlpha(startAlpha * (1 - progress));
            }
        });
}

void OSDWindow::stopFadeAnimation() {
    if (fadeTick_) {
        fadeTick_->cancel();
        fadeTick_.reset();
    }
}

void OSDWindow::finishFade(uint64_t token, std::function<void()> onHidden) {
    stopFadeAnimation();
    if (token != windowVisibilityToken_) {
        return;
    }
    finalizeHideVisualsIfCurrent(token);
    if (onHidden) {
        onHidden();
    }
}

bool OSDWindow::finalizeHideVisualsIfCurrent(uint64_t token) {
    if (token != windowVisibilityToken_) {
        return false;
    }
    if (primary_) {
        primary_->orderOutAndReset();
    }
    primaryGridDisplayIdentifier_.reset();
    dismissSecondaryGridOverlays();
    return true;
}

} // namespace tessarin
