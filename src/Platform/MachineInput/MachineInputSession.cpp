#include "Platform/MachineInput/MachineInputSession.h"

#include "Platform/Input/EventSystem.h"
#include "Support/MainQueue.h"

namespace tessarin {

MachineInputSession::MachineInputSession(EventSystem& events) : events_(events) {
    consumer_ = events_.addConsumer(EventStage::frontApplication, [this](const Event& event) {
        reachedFrontApplication(event);
        return false;
    });
}

MachineInputSession::~MachineInputSession() {
    events_.removeConsumer(consumer_);
}

void MachineInputSession::carry(const std::function<void(int64_t serial)>& post, Delivery deliver) {
    const int64_t serial = nextSerial_++;
    order_.add(serial, std::move(deliver));
    post(serial);
    // The session delivers the event on the turn just scheduled; this one comes after it and
    // drops the input if it never reached the front application.
    events_.queue().async([this, alive = std::weak_ptr<bool>(alive_), serial] {
        if (alive.lock()) {
            order_.settle(serial, false);
        }
    });
}

bool MachineInputSession::queueBehindPending(Delivery deliver) {
    if (order_.empty()) {
        return false;
    }
    order_.add(std::nullopt, std::move(deliver));
    return true;
}

void MachineInputSession::reachedFrontApplication(const Event& event) {
    if (const int64_t serial = event.integerValue(EventField::machineKeySerial); serial != 0) {
        order_.settle(serial, true);
    }
}

} // namespace tessarin
