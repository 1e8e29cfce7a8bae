#include "Platform/Input/HotKeyCenter.h"

#include "Platform/Input/EventSystem.h"
#include "Support/MainQueue.h"

#include <algorithm>

namespace tessarin {

uint32_t carbonModifiers(uint64_t flags) {
    uint32_t mask = 0;
    if (flags & EventFlags::maskCommand) {
        mask |= CarbonModifiers::cmdKey;
    }
    if (flags & EventFlags::maskShift) {
        mask |= CarbonModifiers::shiftKey;
    }
    if (flags & EventFlags::maskAlternate) {
        mask |= CarbonModifiers::optionKey;
    }
    if (flags & EventFlags::maskControl) {
        mask |= CarbonModifiers::controlKey;
    }
    return mask;
}

uint64_t eventFlags(uint32_t modifiers) {
    uint64_t flags = 0;
    if (modifiers & CarbonModifiers::cmdKey) {
        flags |= EventFlags::maskCommand;
    }
    if (modifiers & CarbonModifiers::shiftKey) {
        flags |= EventFlags::maskShift;
    }
    if (modifiers & CarbonModifiers::optionKey) {
        flags |= EventFlags::maskAlternate;
    }
    if (modifiers & CarbonModifiers::controlKey) {
        flags |= EventFlags::maskControl;
    }
    if (modifiers & CarbonModifiers::alphaLock) {
        flags |= EventFlags::maskAlphaShift;
    }
    return flags;
}

int32_t getEventHotKeyIDParameter(const CarbonEvent& event, EventHotKeyID& outID) {
    if (!event.hotKeyID) {
        return HotKeyStatus::paramErr;
    }
    outID = *event.hotKeyID;
    return HotKeyStatus::noErr;
}

HotKeyCenter::HotKeyCenter(EventSystem& events) : events_(events) {
    consumerToken_ = events_.addConsumer(EventStage::registeredHotKeys,
                                         [this](const Event& event) { return consume(event); });
}

HotKeyCenter::~HotKeyCenter() {
    events_.removeConsumer(consumerToken_);
}

EventHandlerRef HotKeyCenter::installEventHandler(std::vector<EventTypeSpec> types,
                                                  CarbonEventHandler handler) {
    EventHandlerRef ref{nextHandlerRef_++};
    handlers_.push_back({ref, std::move(types), std::move(handler)});
    return ref;
}

int32_t HotKeyCenter::removeEventHandler(EventHandlerRef ref) {
    auto removed = std::erase_if(handlers_, [&](const Handler& h) { return h.ref == ref; });
    return removed > 0 ? HotKeyStatus::noErr : HotKeyStatus::paramErr;
}

int32_t HotKeyCenter::registerEventHotKey(uint32_t keyCode, uint32_t modifiers,
                                          EventHotKeyID hotKeyID, EventHotKeyRef& outRef) {
    outRef = EventHotKeyRef{};
    if (refusal_) {
        if (auto status = refusal_(keyCode, modifiers); status && *status != 0) {
            return *status;
        }
    }
    uint32_t shortcut = modifiers & CarbonModifiers::shortcutModifiers;
    if (match(keyCode, shortcut)) {
        return HotKeyStatus::eventHotKeyExistsErr;
    }
    EventHotKeyRef ref{nextRef_++};
    registrations_[ref] = {keyCode, shortcut, hotKeyID};
    outRef = ref;
    announceRegistrationsChanged();
    return HotKeyStatus::noErr;
}

int32_t HotKeyCenter::unregisterEventHotKey(EventHotKeyRef ref) {
    if (registrations_.erase(ref) == 0) {
        return HotKeyStatus::eventHotKeyInvalidErr;
    }
    pressed_.erase(ref);
    announceRegistrationsChanged();
    return HotKeyStatus::noErr;
}

void HotKeyCenter::setRegistrationsChangedHandler(std::function<void()> handler) {
    registrationsChanged_ = std::move(handler);
}

void HotKeyCenter::announceRegistrationsChanged() const {
    if (registrationsChanged_) {
        registrationsChanged_();
    }
}

int32_t HotKeyCenter::dispatch(const CarbonEvent& event) {
    // Newest handler first; a handler may install or remove handlers while it runs.
    std::vector<Handler> snapshot(handlers_.rbegin(), handlers_.rend());
    for (const auto& handler : snapshot) {
        bool stillInstalled = std::any_of(handlers_.begin(), handlers_.end(),
                                          [&](const Handler& h) { return h.ref == handler.ref; });
        bool wants =
            std::any_of(handler.types.begin(), handler.types.end(), [&](const EventTypeSpec& type) {
                return type.eventClass == event.eventClass && type.eventKind == event.eventKind;
            });
        if (!stillInstalled || !wants || !handler.callback) {
            continue;
        }
        int32_t status = handler.callback(event);
        if (status != HotKeyStatus::eventNotHandledErr) {
            return status;
        }
    }
    return HotKeyStatus::eventNotHandledErr;
}

void HotKeyCenter::setRegistrationRefusal(
    std::function<std::optional<int32_t>(uint32_t keyCode, uint32_t modifiers)> rule) {
    refusal_ = std::move(rule);
}

std::vector<HotKeyCenter::Registration> HotKeyCenter::registrations() const {
    std::vector<Registration> result;
    for (const auto& [ref, registration] : registrations_) {
        result.push_back(registration);
    }
    return result;
}

bool HotKeyCenter::isRegistered(uint32_t keyCode, uint32_t modifiers) const {
    return match(keyCode, modifiers & CarbonModifiers::shortcutModifiers).has_value();
}

std::optional<EventHotKeyRef> HotKeyCenter::match(uint32_t keyCode, uint32_t modifiers) const {
    for (const auto& [ref, registration] : registrations_) {
        if (registration.keyCode == keyCode && registration.modifiers == modifiers) {
            return ref;
        }
    }
    return std::nullopt;
}

bool HotKeyCenter::consume(const Event& event) {
    if (!event.isKeyEvent()) {
        return false;
    }
    auto ref = match(event.keyCode(), carbonModifiers(event.flags));
    if (event.type == EventType::keyUp) {
        // The release of a hot key whose press was taken goes with it, even when the modifiers
        // were let go first.
        auto held = std::find_if(pressed_.begin(), pressed_.end(), [&](EventHotKeyRef r) {
            auto it = registrations_.find(r);
            return it != registrations_.end() && it->second.keyCode == event.keyCode();
        });
        if (held != pressed_.end()) {
            ref = *held;
        }
        if (!ref) {
            return false;
        }
        bool wasPressed = pressed_.erase(*ref) > 0;
        if (wasPressed) {
            dispatch({kEventClassKeyboard, kEventHotKeyReleased, registrations_.at(*ref).hotKeyID,
                      events_.queue().uptime()});
        }
        return true;
    }
    if (!ref) {
        return false;
    }
    if (event.isAutorepeat() || pressed_.count(*ref) > 0) {
        pressed_.insert(*ref);
        return true;
    }
    pressed_.insert(*ref);
    dispatch({kEventClassKeyboard, kEventHotKeyPressed, registrations_.at(*ref).hotKeyID,
              events_.queue().uptime()});
    return true;
}

} // namespace tessarin
