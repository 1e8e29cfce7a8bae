#include "Hotkeys/HotKeyManager.h"

#include "Platform/Host.h"
#include "Support/MainQueue.h"

#include <cstdio>

namespace tessarin {

HotKeyManager::HotKeyManager(HotKeyCenter& center, AbsoluteTimeSource absoluteTime)
    : center_(center), absoluteTime_(std::move(absoluteTime)) {
    eventHandler_ = center_.installEventHandler(
        {{kEventClassKeyboard, kEventHotKeyPressed}},
        [this](const CarbonEvent& event) { return handleHotKeyEvent(event); });
}

HotKeyManager::~HotKeyManager() {
    unregisterAll();
    center_.removeEventHandler(eventHandler_);
}

HotKeyManager& HotKeyManager::shared() {
    return Host::current().sharedInstance<HotKeyManager>([](Host& host) {
        MainQueue& queue = host.queue();
        return std::make_shared<HotKeyManager>(host.hotKeys(),
                                               [&queue] { return queue.absoluteTime(); });
    });
}

void HotKeyManager::registerHotKey(const HotkeyRegistrationIdentity& identity,
                                   const HotkeyCombination& combination, HotkeyHandler handler) {
    unregister(identity);
    const uint32_t id = currentId_++;
    EventHotKeyRef reference;
    const int32_t status = center_.registerEventHotKey(combination.keyCode, combination.modifiers,
                                                       {signature, id}, reference);
    if (status != HotKeyStatus::noErr) {
        std::printf("Failed to register hotkey for %s status=%d\n", identity.ownerName().c_str(),
                    static_cast<int>(status));
        std::fflush(stdout);
        return;
    }
    handlers_[id] = std::move(handler);
    registrations_[identity] = {id, reference};
}

void HotKeyManager::unregister(const HotkeyRegistrationIdentity& identity) {
    const auto found = registrations_.find(identity);
    if (found == registrations_.end()) {
        return;
    }
    const Registration registration = found->second;
    registrations_.erase(found);
    handlers_.erase(registration.id);
    if (registration.reference) {
        center_.unregisterEventHotKey(registration.reference);
    }
}

void HotKeyManager::unregisterAll() {
    for (const auto& [identity, registration] : registrations_) {
        if (registration.reference) {
            center_.unregisterEventHotKey(registration.reference);
        }
    }
    registrations_.clear();
    handlers_.clear();
}

std::optional<uint32_t>
HotKeyManager::registrationNumber(const HotkeyRegistrationIdentity& identity) const {
    const auto found = registrations_.find(identity);
    return found != registrations_.end() ? std::optional(found->second.id) : std::nullopt;
}

int32_t HotKeyManager::handleHotKeyEvent(const CarbonEvent& event) {
    // A failed read leaves number 0; the signature is not compared.
    EventHotKeyID hotKeyID;
    getEventHotKeyIDParameter(event, hotKeyID);
    const auto found = handlers_.find(hotKeyID.id);
    if (found != handlers_.end()) {
        // A handler may re-register hotkeys and so replace itself; it runs from a copy.
        const HotkeyHandler handler = found->second;
        handler({HotkeyTriggerSource::carbonEventHotKey, absoluteTime_()});
    }
    return HotKeyStatus::noErr;
}

} // namespace tessarin
