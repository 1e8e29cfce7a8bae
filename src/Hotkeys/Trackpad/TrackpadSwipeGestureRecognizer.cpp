#include "Hotkeys/Trackpad/TrackpadSwipeGestureRecognizer.h"

#include "Platform/DockSwipeGesture.h"
#include "Platform/Input/Event.h"

#include <cmath>

namespace tessarin {

namespace {

bool isUsersDockSwipe(const TrackpadSwipeEventSnapshot& s) {
    return s.type == EventType::dockGesture && s.hid == kDockSwipeHIDType &&
           s.sourceUserData != kSyntheticEventUserData &&
           s.privateSourceTag != kSyntheticEventPrivateSourceTag;
}

bool has(int64_t phase, int64_t bits) {
    return (phase & bits) != 0;
}

} // namespace

TrackpadSwipeEventSnapshot TrackpadSwipeEventSnapshot::of(uint32_t type, const Event& event) {
    return {type,
            event.integerValue(EventField::gestureHIDType),
            event.integerValue(EventField::eventSourceUserData),
            event.integerValue(EventField::privateSourceTag),
            event.doubleValue(EventField::gestureSwipeProgress),
            event.integerValue(EventField::gestureSwipeMotion),
            event.integerValue(EventField::gesturePhase)};
}

std::optional<TrackpadSwipeTransitionDirection>
TrackpadSwipeGestureRecognizer::direction(int64_t motion, double progress) {
    using D = TrackpadSwipeTransitionDirection;
    if (!std::isfinite(progress) || std::fabs(progress) < 0.1) {
        return std::nullopt;
    }
    if (motion == GestureSwipeMotion::horizontal) {
        return progress > 0 ? D::left : D::right;
    }
    if (motion == GestureSwipeMotion::vertical) {
        return progress > 0 ? D::down : D::up;
    }
    return std::nullopt;
}

TrackpadSwipeRecognition TrackpadSwipeGestureRecognizer::decide(bool shouldSuppress) {
    isTrackingDockSwipe_ = shouldSuppress;
    isPassingDockSwipe_ = !shouldSuppress;
    return {shouldSuppress, std::nullopt};
}

TrackpadSwipeRecognition
TrackpadSwipeGestureRecognizer::handle(const TrackpadSwipeEventSnapshot& snapshot,
                                       bool shouldSuppress) {
    if (!isUsersDockSwipe(snapshot)) {
        return {};
    }
    const int64_t phase = snapshot.phase;
    if (has(phase, GesturePhase::cancelled)) {
        const bool consume = isTrackingDockSwipe_;
        reset();
        return {consume, std::nullopt};
    }
    if (has(phase, GesturePhase::ended)) {
        TrackpadSwipeRecognition recognition;
        if (isTrackingDockSwipe_ && !isPassingDockSwipe_) {
            recognition = {true, direction(snapshot.motion, snapshot.progress)};
        }
        reset();
        return recognition;
    }
    if (has(phase, GesturePhase::changed)) {
        if (isPassingDockSwipe_) {
            return {};
        }
        if (isTrackingDockSwipe_) {
            return {true, std::nullopt};
        }
        return decide(shouldSuppress);
    }
    if (has(phase, GesturePhase::began | GesturePhase::mayBegin)) {
        return decide(shouldSuppress);
    }
    reset();
    return {};
}

std::optional<TrackpadSwipeGestureActivity>
TrackpadSwipeGestureRecognizer::gestureActivity(const TrackpadSwipeEventSnapshot& snapshot) {
    if (!isUsersDockSwipe(snapshot)) {
        return std::nullopt;
    }
    if (has(snapshot.phase, GesturePhase::ended | GesturePhase::cancelled)) {
        return TrackpadSwipeGestureActivity::ended;
    }
    if (has(snapshot.phase, GesturePhase::began | GesturePhase::changed | GesturePhase::mayBegin)) {
        return TrackpadSwipeGestureActivity::began;
    }
    return std::nullopt;
}

} // namespace tessarin
