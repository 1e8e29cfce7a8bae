#pragma once

#include "TessarinCore/TessarinCore.h"

#include <cstdint>
#include <string>

namespace tessarin {

enum class TrackpadSwipeTransitionDirection { left, right, up, down };
enum class TrackpadSwipeGestureActivity { began, ended };

// One raw contact, in normalised trackpad units (x right, y up).
struct TrackpadTouchPoint {
    int32_t id = 0;
    float x = 0;
    float y = 0;
    friend bool operator==(const TrackpadTouchPoint&, const TrackpadTouchPoint&) = default;
};

inline const char* name(TrackpadSwipeTransitionDirection direction) {
    switch (direction) {
    case TrackpadSwipeTransitionDirection::left:
        return "left";
    case TrackpadSwipeTransitionDirection::right:
        return "right";
    case TrackpadSwipeTransitionDirection::up:
        return "up";
    case TrackpadSwipeTransitionDirection::down:
        break;
    }
    return "down";
}

// The engine's direction has the same numbering; reversal swaps left with right, up with down.
inline TessarinDirection tessarinDirection(TrackpadSwipeTransitionDirection direction,
                                           bool reversed) {
    const auto value = static_cast<TessarinDirection>(direction);
    return reversed ? value ^ 1U : value;
}

} // namespace tessarin
