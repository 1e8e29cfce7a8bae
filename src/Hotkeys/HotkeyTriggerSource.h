#pragma once

#include <optional>
#include <string_view>

namespace tessarin {

// How a hotkey reached the program: a registered system hot key, or the keyboard tap that
// takes clashing keys away from the system's Mission Control shortcuts.
enum class HotkeyTriggerSource { carbonEventHotKey, missionControlOverrideEventTap };

inline std::string_view rawValue(HotkeyTriggerSource source) {
    return source == HotkeyTriggerSource::carbonEventHotKey ? "carbon" : "mission-control-override";
}

inline std::optional<HotkeyTriggerSource> hotkeyTriggerSourceFromRawValue(std::string_view raw) {
    for (auto source : {HotkeyTriggerSource::carbonEventHotKey,
                        HotkeyTriggerSource::missionControlOverrideEventTap}) {
        if (rawValue(source) == raw) {
            return source;
        }
    }
    return std::nullopt;
}

} // namespace tessarin
