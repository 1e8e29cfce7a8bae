#include "Hotkeys/Trackpad/TrackpadThreeFingerTapRecognizer.h"

#include <cmath>

namespace tessarin {

namespace {

constexpr double kLongestTap = 0.45;
constexpr double kLargestDrift = 0.035;

} // namespace

void TrackpadThreeFingerTapRecognizer::reset() {
    startedAt_.reset();
    initialPositions_.clear();
    isInvalid_ = false;
}

bool TrackpadThreeFingerTapRecognizer::process(const std::vector<TrackpadTouchPoint>& touches,
                                               double timestamp) {
    if (touches.empty()) {
        const bool tapped = startedAt_ && timestamp - *startedAt_ <= kLongestTap && !isInvalid_;
        reset();
        return tapped;
    }
    if (!startedAt_) {
        if (touches.size() == 3) {
            startedAt_ = timestamp;
            for (const TrackpadTouchPoint& touch : touches) {
                initialPositions_[touch.id] = touch;
            }
            isInvalid_ = initialPositions_.size() != 3;
        }
        return false;
    }
    if (touches.size() >= 4 || timestamp - *startedAt_ > kLongestTap) {
        isInvalid_ = true;
    }
    for (const TrackpadTouchPoint& touch : touches) {
        const auto start = initialPositions_.find(touch.id);
        if (start == initialPositions_.end() ||
            !(std::hypot(touch.x - start->second.x, touch.y - start->second.y) <= kLargestDrift)) {
            isInvalid_ = true;
        }
    }
    return false;
}

} // namespace tessarin
