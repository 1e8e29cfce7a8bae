#pragma once

#include "Hotkeys/HotkeyCombination.h"
#include "Hotkeys/HotkeyOverrideRegistration.h"
#include "Hotkeys/HotkeyRegistrationIdentity.h"
#include "Hotkeys/HotkeyTriggerContext.h"
#include "Platform/Input/HotKeyCenter.h"

#include <cstdint>
#include <functional>
#include <map>
#include <optional>

namespace tessarin {

// The one owner of the program's system-wide hot keys. Each registration gets a fresh number,
// under which the system reports the press; each owner holds at most one hot key, so
// registering an owner again replaces its key.
class HotKeyManager {
public:
    static constexpr uint32_t signature = 0x1111;

    using AbsoluteTimeSource = std::function<TimeInterval()>;

    // Installs the press handler at once; it stays installed as long as the manager lives.
    HotKeyManager(HotKeyCenter& center, AbsoluteTimeSource absoluteTime);
    ~HotKeyManager();
    HotKeyManager(const HotKeyManager&) = delete;
    HotKeyManager& operator=(const HotKeyManager&) = delete;

    // The app's manager, on the current host's hot keys.
    static HotKeyManager& shared();

    // A refused registration prints "Failed to register hotkey for <owner> status=<status>" and
    // leaves the owner without a hot key; its number is used up all the same.
    void registerHotKey(const HotkeyRegistrationIdentity& identity,
                        const HotkeyCombination& combination, HotkeyHandler handler);
    void unregister(const HotkeyRegistrationIdentity& identity);
    void unregisterAll();

    // The number an owner's hot key is registered under, if it has one.
    std::optional<uint32_t> registrationNumber(const HotkeyRegistrationIdentity& identity) const;
    uint32_t nextRegistrationNumber() const { return currentId_; }

private:
    struct Registration {
        uint32_t id = 0;
        EventHotKeyRef reference;
    };

    int32_t handleHotKeyEvent(const CarbonEvent& event);

    HotKeyCenter& center_;
    AbsoluteTimeSource absoluteTime_;
    EventHandlerRef eventHandler_;
    std::map<uint32_t, HotkeyHandler> handlers_;
    std::map<HotkeyRegistrationIdentity, Registration> registrations_;
    uint32_t currentId_ = 1;
};

} // namespace tessarin
