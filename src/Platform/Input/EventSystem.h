#pragma once

#include "Platform/Input/Event.h"
#include "Platform/Input/EventStage.h"
#include "Platform/Input/EventTap.h"
#include "Platform/Input/PhysicalInput.h"

#include <cstddef>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace tessarin {

class MainQueue;

// The session's event stream. A posted event travels on a later turn of the main queue through
// the session taps (in creation order; each passes, swallows or rewrites it), then through the
// consumer stages in `EventStage` order until one takes it. Main queue only; everything that
// registers a consumer must be gone before the event system is.
class EventSystem {
public:
    explicit EventSystem(MainQueue& queue);
    ~EventSystem();
    EventSystem(const EventSystem&) = delete;
    EventSystem& operator=(const EventSystem&) = delete;

    // Posts an event into the session; a zero timestamp is set to the queue's uptime.
    void post(Event event);

    // Creates an enabled tap; nothing when the process is not trusted for accessibility or the
    // system declines (see `setTapCreationRefused`).
    std::shared_ptr<EventTap> createTap(EventMask mask, EventTapCallback callback,
                                        EventTapOptions options = EventTapOptions::defaultTap);
    // The trust check taps depend on; without one the process counts as trusted.
    void setAccessibilityTrust(std::function<bool()> isTrusted);
    // Makes the system decline every tap creation (for tests), trust or not.
    void setTapCreationRefused(bool refused) { tapCreationRefused_ = refused; }

    // The system switches a tap off (a slow callback, or user input), and tells the tap's
    // callback on a later turn with the matching notice type.
    void disableTapByTimeout(const std::shared_ptr<EventTap>& tap);
    void disableTapByUserInput(const std::shared_ptr<EventTap>& tap);
    // The taps currently installed (valid and still owned), in creation order.
    std::vector<std::shared_ptr<EventTap>> installedTaps() const;

    EventConsumerToken addConsumer(EventStage stage, EventConsumer consumer);
    // An observer of the event types in `mask` that never takes an event (the application
    // kit's event monitors); nothing when the system refuses it (see `setMonitorsRefused`).
    std::optional<EventConsumerToken> addMonitor(EventMask mask,
                                                 std::function<void(const Event&)> handler);
    void setMonitorsRefused(bool refused) { monitorsRefused_ = refused; }
    void removeConsumer(EventConsumerToken token);

    // What reached the front application, oldest first (the most recent 1000).
    const std::deque<Event>& frontApplicationEvents() const { return frontApplicationEvents_; }
    std::vector<Event> frontApplicationEvents(uint32_t type) const;
    void clearFrontApplicationEvents() { frontApplicationEvents_.clear(); }
    // Every event handed to `post` by the program (not physical input), most recent 1000.
    const std::deque<Event>& postedEvents() const { return postedEvents_; }
    void clearPostedEvents() { postedEvents_.clear(); }

    PhysicalInput& physical() { return physical_; }
    const PhysicalInput& physical() const { return physical_; }
    // Hardware state, as the combined session event source reports it.
    uint64_t flagsState() const { return physical_.flagsState(); }
    bool buttonState(MouseButton button) const { return physical_.buttonState(button); }

    MainQueue& queue() const { return queue_; }

private:
    friend class PhysicalInput;
    struct Consumer {
        EventConsumerToken token;
        EventStage stage;
        EventConsumer consumer;
    };
    void enqueue(Event event);
    void deliver(Event event);
    std::optional<Event> runTaps(Event event);
    void runConsumers(const Event& event);
    void disableTap(const std::shared_ptr<EventTap>& tap, uint32_t noticeType);
    void pruneTaps();

    MainQueue& queue_;
    PhysicalInput physical_;
    std::vector<std::weak_ptr<EventTap>> taps_;
    std::vector<Consumer> consumers_;
    uint64_t nextConsumerToken_ = 1;
    std::function<bool()> isTrusted_;
    bool tapCreationRefused_ = false;
    bool monitorsRefused_ = false;
    std::deque<Event> frontApplicationEvents_;
    std::deque<Event> postedEvents_;
    std::shared_ptr<bool> alive_;
};

} // namespace tessarin
