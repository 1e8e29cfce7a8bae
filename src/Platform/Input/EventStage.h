#pragma once

#include "Platform/Input/Event.h"

#include <cstdint>
#include <functional>

namespace tessarin {

// The consumers an event meets after the session's taps, always in this order. The first
// consumer that takes an event ends its travel.
enum class EventStage {
    dockGestures,      // the Dock's swipe gestures
    symbolicHotKeys,   // the system's enabled keyboard shortcuts
    registeredHotKeys, // hot keys registered by applications
    frontApplication,  // whatever application is in front
};

// Returns true when it takes the event (nothing further sees it).
using EventConsumer = std::function<bool(const Event&)>;

struct EventConsumerToken {
    uint64_t value = 0;
    friend bool operator==(const EventConsumerToken&, const EventConsumerToken&) = default;
};

} // namespace tessarin
