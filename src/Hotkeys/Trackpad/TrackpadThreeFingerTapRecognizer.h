#pragma once

#include "Hotkeys/Trackpad/TrackpadSwipeTypes.h"

#include <map>
#include <optional>
#include <vector>

namespace tessarin {

// A short three-finger tap: three distinct contacts down, none moving more than 0.035, no fourth
// joining, all lifted within 0.45 s. Fingers may lift one at a time.
class TrackpadThreeFingerTapRecognizer {
public:
    // True exactly on the frame that completes a tap (the first with no contacts).
    bool process(const std::vector<TrackpadTouchPoint>& touches, double timestamp);
    void reset();

private:
    std::optional<double> startedAt_;
    std::map<int32_t, TrackpadTouchPoint> initialPositions_;
    bool isInvalid_ = false;
};

} // namespace tessarin
