#pragma once

#include "Platform/Input/EventStage.h"
#include "Platform/MachineInput/InputDeliveryOrder.h"

#include <cstdint>
#include <functional>
#include <memory>

namespace tessarin {

class EventSystem;
struct Event;

// The road the machine's keys and clicks take into the host's session, shared by the keyboard
// and the mouse feed so neither overtakes the other. Input carried into the session gets a
// serial number and is delivered to the program's widget once the session hands it on to the
// front application, or dropped when the turn it travelled on ended without that. Main thread
// only; the event system must outlive it.
class MachineInputSession {
public:
    using Delivery = InputDeliveryOrder::Delivery;

    explicit MachineInputSession(EventSystem& events);
    ~MachineInputSession();
    MachineInputSession(const MachineInputSession&) = delete;
    MachineInputSession& operator=(const MachineInputSession&) = delete;

    EventSystem& events() const { return events_; }

    // Posts the host's event through `post`, which gets the serial number to tag the event
    // with (`EventField::machineKeySerial`, which
    // clicks carry as well), and delivers when the session hands it on.
    void carry(const std::function<void(int64_t serial)>& post, Delivery deliver);
    // Input the host has no event for. False when nothing waits, so it goes on at once (and
    // `deliver` is not kept); otherwise it is delivered behind what came before it.
    bool queueBehindPending(Delivery deliver);

    // Input carried or queued but not yet settled by the host.
    std::size_t pendingCount() const { return order_.pendingCount(); }

private:
    void reachedFrontApplication(const Event& event);

    EventSystem& events_;
    EventConsumerToken consumer_;
    InputDeliveryOrder order_;
    int64_t nextSerial_ = 1;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

} // namespace tessarin
