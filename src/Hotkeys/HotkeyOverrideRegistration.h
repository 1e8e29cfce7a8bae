#pragma once

#include "Hotkeys/HotkeyCombination.h"
#include "Hotkeys/HotkeyRegistrationIdentity.h"
#include "Hotkeys/HotkeyTriggerContext.h"

#include <functional>

namespace tessarin {

using HotkeyHandler = std::function<void(const HotkeyTriggerContext&)>;

// A hotkey that must be taken from the system's own shortcuts by the keyboard tap rather than
// registered the ordinary way.
struct HotkeyOverrideRegistration {
    HotkeyRegistrationIdentity identity;
    HotkeyCombination combination;
    HotkeyHandler handler;
};

} // namespace tessarin
