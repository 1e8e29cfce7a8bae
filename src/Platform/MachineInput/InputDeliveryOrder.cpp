#include "Platform/MachineInput/InputDeliveryOrder.h"

#include <algorithm>

namespace tessarin {

void InputDeliveryOrder::add(std::optional<int64_t> serial, Delivery deliver) {
    pending_.push_back({serial, std::move(deliver)});
}

bool InputDeliveryOrder::contains(int64_t serial) const {
    return std::any_of(pending_.begin(), pending_.end(),
                       [serial](const Entry& entry) { return entry.serial == serial; });
}

void InputDeliveryOrder::settle(int64_t serial, bool reached) {
    if (!contains(serial)) {
        return;
    }
    // Each entry leaves the queue before it is delivered, and the loop asks again after every
    // delivery, since a nested event loop inside one may have settled the rest.
    while (contains(serial)) {
        Entry front = std::move(pending_.front());
        pending_.pop_front();
        const bool isSettled = front.serial == serial;
        if (!front.serial || (isSettled && reached)) {
            front.deliver();
        }
    }
    deliverFrontWhileUnserialised();
}

void InputDeliveryOrder::deliverFrontWhileUnserialised() {
    while (!pending_.empty() && !pending_.front().serial) {
        Entry front = std::move(pending_.front());
        pending_.pop_front();
        front.deliver();
    }
}

} // namespace tessarin
