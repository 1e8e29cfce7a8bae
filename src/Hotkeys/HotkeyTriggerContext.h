#pragma once

#include "Hotkeys/HotkeyTriggerSource.h"
#include "Support/Clock.h"

namespace tessarin {

// How and when a hotkey fired; `receivedAt` is absolute time, taken as the event arrived.
struct HotkeyTriggerContext {
    HotkeyTriggerSource source = HotkeyTriggerSource::carbonEventHotKey;
    TimeInterval receivedAt = 0;

    friend bool operator==(const HotkeyTriggerContext&, const HotkeyTriggerContext&) = default;
};

} // namespace tessarin
