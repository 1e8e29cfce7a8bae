#include "Platform/Input/EventSystem.h"

#include "Support/MainQueue.h"

#include <algorithm>
#include <array>

namespace tessarin {
namespace {

constexpr std::size_t kRecordLimit = 1000;

void record(std::deque<Event>& log, const Event& event) {
    log.push_back(event);
    while (log.size() > kRecordLimit) {
        log.pop_front();
    }
}

constexpr std::array<EventStage, 4> kStageOrder = {
    EventStage::dockGestures,
    EventStage::symbolicHotKeys,
    EventStage::registeredHotKeys,
    EventStage::frontApplication,
};

} // namespace

EventSystem::EventSystem(MainQueue& queue)
    : queue_(queue), physical_(*this), alive_(std::make_shared<bool>(true)) {}

EventSystem::~EventSystem() = default;

void EventSystem::post(Event event) {
    if (event.timestamp == 0) {
        event.timestamp = queue_.uptime();
    }
    record(postedEvents_, event);
    enqueue(std::move(event));
}

void EventSystem::enqueue(Event event) {
    if (event.timestamp == 0) {
        event.timestamp = queue_.uptime();
    }
    std::weak_ptr<bool> alive = alive_;
    queue_.async([this, alive, event = std::move(event)]() mutable {
        if (alive.lock()) {
            deliver(std::move(event));
        }
    });
}

void EventSystem::deliver(Event event) {
    auto passed = runTaps(std::move(event));
    if (passed) {
        runConsumers(*passed);
    }
}

std::optional<Event> EventSystem::runTaps(Event event) {
    // A callback may create, stop or drop taps (its own included); the snapshot keeps every tap
    // of this turn alive until its callback has returned.
    std::vector<std::shared_ptr<EventTap>> snapshot = installedTaps();
    for (const auto& tap : snapshot) {
        if (!tap->isEnabled() || !tap->wants(event.type)) {
            continue;
        }
        auto result = tap->handle(event);
        if (!result) {
            return std::nullopt;
        }
        event = std::move(*result);
    }
    return event;
}

void EventSystem::runConsumers(const Event& event) {
    for (EventStage stage : kStageOrder) {
        if (stage == EventStage::frontApplication) {
            record(frontApplicationEvents_, event);
        }
        std::vector<Consumer> snapshot;
        for (const auto& consumer : consumers_) {
            if (consumer.stage == stage) {
                snapshot.push_back(consumer);
            }
        }
        for (const auto& consumer : snapshot) {
            bool stillRegistered =
                std::any_of(consumers_.begin(), consumers_.end(),
                            [&](const Consumer& c) { return c.token == consumer.token; });
            if (stillRegistered && consumer.consumer && consumer.consumer(event)) {
                return;
            }
        }
    }
}

std::shared_ptr<EventTap> EventSystem::createTap(EventMask mask, EventTapCallback callback,
                                                 EventTapOptions options) {
    if (tapCreationRefused_ || (isTrusted_ && !isTrusted_())) {
        return nullptr;
    }
    pruneTaps();
    auto tap = std::make_shared<EventTap>(mask, std::move(callback), options);
    taps_.push_back(tap);
    return tap;
}

void EventSystem::setAccessibilityTrust(std::function<bool()> isTrusted) {
    isTrusted_ = std::move(isTrusted);
}

void EventSystem::disableTapByTimeout(const std::shared_ptr<EventTap>& tap) {
    disableTap(tap, EventType::tapDisabledByTimeout);
}

void EventSystem::disableTapByUserInput(const std::shared_ptr<EventTap>& tap) {
    disableTap(tap, EventType::tapDisabledByUserInput);
}

void EventSystem::disableTap(const std::shared_ptr<EventTap>& tap, uint32_t noticeType) {
    if (!tap || !tap->isValid()) {
        return;
    }
    tap->setEnabled(false);
    std::weak_ptr<EventTap> weakTap = tap;
    std::weak_ptr<bool> alive = alive_;
    queue_.async([weakTap, alive, noticeType] {
        if (!alive.lock()) {
            return;
        }
        if (auto strong = weakTap.lock()) {
            strong->notifyDisabled(noticeType);
        }
    });
}

std::vector<std::shared_ptr<EventTap>> EventSystem::installedTaps() const {
    std::vector<std::shared_ptr<EventTap>> result;
    for (const auto& weak : taps_) {
        if (auto tap = weak.lock(); tap && tap->isValid()) {
            result.push_back(std::move(tap));
        }
    }
    return result;
}

void EventSystem::pruneTaps() {
    std::erase_if(taps_, [](const std::weak_ptr<EventTap>& weak) {
        auto tap = weak.lock();
        return !tap || !tap->isValid();
    });
}

EventConsumerToken EventSystem::addConsumer(EventStage stage, EventConsumer consumer) {
    EventConsumerToken token{nextConsumerToken_++};
    consumers_.push_back({token, stage, std::move(consumer)});
    return token;
}

void EventSystem::removeConsumer(EventConsumerToken token) {
    std::erase_if(consumers_, [&](const Consumer& c) { return c.token == token; });
}

std::vector<Event> EventSystem::frontApplicationEvents(uint32_t type) const {
    std::vector<Event> result;
    for (const auto& event : frontApplicationEvents_) {
        if (event.type == type) {
            result.push_back(event);
        }
    }
    return result;
}

} // namespace tessarin

namespace tessarin {

std::optional<EventConsumerToken>
EventSystem::addMonitor(EventMask mask, std::function<void(const Event&)> handler) {
    if (monitorsRefused_) {
        return std::nullopt;
    }
    return addConsumer(EventStage::frontApplication,
                       [mask, handler = std::move(handler)](const Event& event) {
                           if ((mask & eventMaskBit(event.type)) != 0) {
                               handler(event);
                           }
                           return false;
                       });
}

} // namespace tessarin
