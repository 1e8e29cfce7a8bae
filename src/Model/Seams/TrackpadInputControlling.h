#pragma once

namespace tessarin {

// The trackpad side the engine touches: the delay setting of a deferred swipe commit and the
// raw input's pending three-finger tap.
class TrackpadInputControlling {
public:
    virtual ~TrackpadInputControlling() = default;
    // "trackpadSwipeSwitchDelayMilliseconds", normalised.
    virtual int switchDelayMilliseconds() const = 0;
    // Forgets the tap handler, resets the tap recogniser and cancels the gesture in progress.
    virtual void cancelPendingTapCommit() = 0;
};

} // namespace tessarin
