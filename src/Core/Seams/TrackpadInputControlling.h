#pragma once

#include "Support/Published.h"

#include <functional>

namespace tessarin {

// The trackpad side the engine touches: the delay setting of a deferred swipe commit and the
// raw input's pending three-finger tap; and what keeps the trackpad's event taps in step with
// its settings and the raw input.
class TrackpadInputControlling {
public:
    virtual ~TrackpadInputControlling() = default;
    // "trackpadSwipeSwitchDelayMilliseconds", normalised.
    virtual int switchDelayMilliseconds() const = 0;
    // Forgets the tap handler, resets the tap recogniser and cancels the gesture in progress.
    virtual void cancelPendingTapCommit() = 0;

    // Calls `onChange` on the next turn of the main queue and again after every change of the
    // swipe settings.
    virtual Subscription observeSwipeSettings(std::function<void()> onChange) = 0;
    // Calls `onChange` after every change of the raw input's state, not for the current one.
    virtual Subscription observeRawInputState(std::function<void()> onChange) = 0;
    // Installs, keeps or removes the Dock-swipe tap as the settings and permissions say.
    virtual void updateSwipeEventTap() = 0;
    // Brings the swallowing of the system's own swipe in line with the raw input's state.
    virtual void updateSwipeSuppressionEventTap() = 0;
};

} // namespace tessarin
