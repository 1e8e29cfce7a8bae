#pragma once

#include "Hotkeys/Trackpad/TrackpadRawContactSnapshotStore.h"
#include "Hotkeys/Trackpad/TrackpadRawNavigationMode.h"
#include "Hotkeys/Trackpad/TrackpadSwipeGestureRecognizer.h"
#include "Model/Settings/TrackpadNavigationFingerCount.h"
#include "Support/Logger.h"

#include <functional>
#include <memory>
#include <optional>

namespace tessarin {

class EventSystem;
class EventTap;
class MainQueue;
struct Event;

// An active tap on the system's Dock-swipe events. It swallows every such gesture made while
// the raw input sees the configured number of fingers, so the system neither switches Spaces
// nor opens Mission Control itself. Only in shadow mode does it report what it swallowed; the
// handlers then run on a later turn of the main queue, never inside the callback.
class TrackpadSwipeEventTap {
public:
    using DirectionHandler = std::function<void(TessarinDirection)>;
    using ActivityHandler = std::function<void(TrackpadSwipeGestureActivity)>;
    using SystemSwipeHandler = std::function<void(int, TrackpadSwipeTransitionDirection)>;

    TrackpadSwipeEventTap(EventSystem& events, MainQueue& queue);
    ~TrackpadSwipeEventTap();
    TrackpadSwipeEventTap(const TrackpadSwipeEventTap&) = delete;
    TrackpadSwipeEventTap& operator=(const TrackpadSwipeEventTap&) = delete;

    static TrackpadSwipeEventTap& shared();

    // False when the system refuses the tap (no Accessibility trust).
    bool start();
    // Removes the tap and forgets the handlers and the contact snapshot.
    void stop();
    bool isInstalled() const { return eventTap_ != nullptr; }

    std::optional<Event> handleEvent(uint32_t type, const Event& event);

    TrackpadRawNavigationMode navigationMode = TrackpadRawNavigationMode::authoritative;
    TrackpadNavigationFingerCount selectedFingerCount = TrackpadNavigationFingerCount::three;
    std::shared_ptr<TrackpadRawContactSnapshotStore> contactSnapshot;
    bool reverseDirection = false;
    DirectionHandler handler;
    ActivityHandler gestureActivityHandler;
    SystemSwipeHandler shadowCGHandler;

private:
    void deferHandlers(std::optional<TrackpadSwipeTransitionDirection> direction,
                       std::optional<TrackpadSwipeGestureActivity> activity, bool consumed);

    EventSystem& events_;
    MainQueue& queue_;
    std::shared_ptr<EventTap> eventTap_;
    TrackpadSwipeGestureRecognizer recognizer_;
    Logger logger_{"TrackpadSwipe"};
    bool debug_;
};

} // namespace tessarin
