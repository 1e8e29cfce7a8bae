#include "Platform/Input/HotKeyDelivery.h"

#include <vector>

namespace tessarin {

std::optional<HotKeyDeliveryIssue> HotKeyDelivery::issue(uint32_t keyCode,
                                                         uint32_t modifiers) const {
    if (keptRule_) {
        if (auto kept = keptRule_(keyCode, modifiers)) {
            return kept;
        }
    }
    if (const auto held = heldElsewhere_.find({keyCode, modifiers}); held != heldElsewhere_.end()) {
        return held->second;
    }
    return std::nullopt;
}

void HotKeyDelivery::setKeptRule(KeptRule rule) {
    keptRule_ = std::move(rule);
    announce();
}

void HotKeyDelivery::setHeldElsewhere(
    std::map<std::pair<uint32_t, uint32_t>, HotKeyDeliveryIssue> held) {
    if (held == heldElsewhere_) {
        return;
    }
    heldElsewhere_ = std::move(held);
    announce();
}

std::shared_ptr<void> HotKeyDelivery::addObserver(std::function<void()> observer) {
    auto token = std::make_shared<int>(0);
    observers_.push_back({token, std::move(observer)});
    return token;
}

void HotKeyDelivery::announce() const {
    std::erase_if(observers_, [](const Observer& entry) { return entry.token.expired(); });
    // An observer may add observers or drop its token while it is told.
    const std::vector<Observer> observers = observers_;
    for (const Observer& entry : observers) {
        if (!entry.token.expired()) {
            entry.callback();
        }
    }
}

} // namespace tessarin
