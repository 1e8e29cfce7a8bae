#pragma once

#include "Hotkeys/Trackpad/TrackpadSwipeTypes.h"

#include <cstdint>
#include <optional>

namespace tessarin {

struct Event;

// The values of one Dock-swipe event the tap decides on, read once per event.
struct TrackpadSwipeEventSnapshot {
    uint32_t type = 0;
    int64_t hid = 0;
    int64_t sourceUserData = 0;
    int64_t privateSourceTag = 0;
    double progress = 0;
    int64_t motion = 0;
    int64_t phase = 0;

    static TrackpadSwipeEventSnapshot of(uint32_t type, const Event& event);
};

struct TrackpadSwipeRecognition {
    bool shouldConsume = false;
    std::optional<TrackpadSwipeTransitionDirection> transitionDirection;
};

// Decides once per gesture, on its first event, whether the system's Dock swipe is swallowed,
// and keeps that decision until the gesture ends or is cancelled. The program's own tagged
// swipes always pass and leave the state alone.
class TrackpadSwipeGestureRecognizer {
public:
    TrackpadSwipeRecognition handle(const TrackpadSwipeEventSnapshot& snapshot,
                                    bool shouldSuppress);
    static std::optional<TrackpadSwipeGestureActivity>
    gestureActivity(const TrackpadSwipeEventSnapshot& snapshot);
    // Direction of a swipe that ended with `progress`: none below a tenth, or when not finite.
    static std::optional<TrackpadSwipeTransitionDirection> direction(int64_t motion,
                                                                     double progress);
    void reset() { isTrackingDockSwipe_ = isPassingDockSwipe_ = false; }

private:
    TrackpadSwipeRecognition decide(bool shouldSuppress);

    bool isTrackingDockSwipe_ = false;
    bool isPassingDockSwipe_ = false;
};

} // namespace tessarin
