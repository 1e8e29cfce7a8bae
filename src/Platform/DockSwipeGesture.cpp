#include "Platform/DockSwipeGesture.h"

#include <algorithm>
#include <cmath>

namespace tessarin {

namespace {

constexpr double kMinimumSwipeProgress = 0.1;

Event swipeEvent(const DockSpaceSwitchGesture& gesture, int64_t phase, double progress) {
    Event event;
    event.type = EventType::dockGesture;
    event.location = gesture.location;
    event.setIntegerValue(EventField::gestureHIDType, kDockSwipeHIDType);
    event.setIntegerValue(EventField::gestureSwipeMotion, GestureSwipeMotion::horizontal);
    event.setIntegerValue(EventField::gesturePhase, phase);
    event.setDoubleValue(EventField::gestureSwipeProgress, progress);
    event.setIntegerValue(EventField::eventSourceUserData, kSyntheticEventUserData);
    event.setIntegerValue(EventField::privateSourceTag, kSyntheticEventPrivateSourceTag);
    return event;
}

} // namespace

std::optional<DockSwitchPostVariant> dockSwitchPostVariantFromRawValue(uint32_t rawValue) {
    switch (rawValue) {
    case 0:
        return DockSwitchPostVariant::plain;
    case 2:
        return DockSwitchPostVariant::augmented;
    default:
        return std::nullopt;
    }
}

DockSwitchPostVariant dockSwitchPostVariant(int operatingSystemMajorVersion) {
    return operatingSystemMajorVersion >= 27 ? DockSwitchPostVariant::augmented
                                             : DockSwitchPostVariant::plain;
}

std::vector<Event> encodeDockSpaceSwitch(const DockSpaceSwitchGesture& gesture) {
    // Progress runs against the step direction: a swipe towards later Spaces moves the content
    // to the left.
    const double progress = -static_cast<double>(gesture.steps);
    std::vector<Event> events{swipeEvent(gesture, GesturePhase::began, 0),
                              swipeEvent(gesture, GesturePhase::changed, progress / 2),
                              swipeEvent(gesture, GesturePhase::ended, progress)};
    if (gesture.variant == DockSwitchPostVariant::augmented && gesture.targetIndex) {
        events.back().setIntegerValue(DockSwipeField::targetSpaceIndex,
                                      static_cast<int64_t>(*gesture.targetIndex) + 1);
    }
    return events;
}

bool isSyntheticDockSwipeEvent(const Event& event) {
    return event.integerValue(EventField::eventSourceUserData) == kSyntheticEventUserData ||
           event.integerValue(EventField::privateSourceTag) == kSyntheticEventPrivateSourceTag;
}

std::optional<DockSwipeEvent> decodeDockSwipeEvent(const Event& event) {
    if (event.type != EventType::dockGesture ||
        event.integerValue(EventField::gestureHIDType) != kDockSwipeHIDType) {
        return std::nullopt;
    }
    DockSwipeEvent swipe;
    swipe.phase = event.integerValue(EventField::gesturePhase);
    swipe.motion = event.integerValue(EventField::gestureSwipeMotion);
    swipe.progress = event.doubleValue(EventField::gestureSwipeProgress);
    swipe.location = event.location;
    swipe.isSynthetic = isSyntheticDockSwipeEvent(event);
    const int64_t target = event.integerValue(DockSwipeField::targetSpaceIndex);
    if (target > 0 && target <= int64_t{UINT32_MAX} + 1) {
        swipe.targetIndex = static_cast<uint32_t>(target - 1);
    }
    return swipe;
}

int64_t dockSwipeSteps(double progress) {
    if (!std::isfinite(progress) || std::fabs(progress) < kMinimumSwipeProgress) {
        return 0;
    }
    // Bounded well inside int64 so a corrupt progress cannot overflow the conversion.
    const double spaces = std::min(std::max(std::round(std::fabs(progress)), 1.0), 1.0e6);
    const auto steps = static_cast<int64_t>(spaces);
    return progress > 0 ? -steps : steps;
}

} // namespace tessarin
