#pragma once

#include "Platform/Preferences/PropertyValue.h"
#include "Platform/WindowServerTypes.h"

#include <optional>

namespace tessarin {

class Preferences;

// The system's symbolic hot keys (Mission Control, "Move left a Space", "Switch to Desktop N",
// ...), kept where the system keeps them: "AppleSymbolicHotKeys" of the preference domain
// "com.apple.symbolichotkeys", a dictionary from the decimal identifier to
// {"enabled": bool, "value": {"parameters": [character, key code, modifier flags], "type": ...}}.
// Identifiers without an entry fall back to the system's built-in defaults (Mission Control,
// Application Windows and moving left or right a Space on Control and an arrow; none for the
// Desktop shortcuts).
class SymbolicHotKeyTable {
public:
    static constexpr const char* kDomain = "com.apple.symbolichotkeys";
    static constexpr const char* kKey = "AppleSymbolicHotKeys";
    // The status of a refused change: no such shortcut.
    static constexpr int kIllegalArgument = 1001;

    explicit SymbolicHotKeyTable(Preferences& preferences);

    std::optional<SymbolicHotKeyValue> value(int hotKey) const;
    bool isEnabled(int hotKey) const;
    // 0 on success; kIllegalArgument for a shortcut the system does not have.
    int setEnabled(int hotKey, bool enabled);
    // Writes an entry (for scenarios and tests).
    void set(int hotKey, const SymbolicHotKeyValue& value, bool enabled);

    static PropertyValue entry(const SymbolicHotKeyValue& value, bool enabled);

private:
    std::optional<PropertyValue> storedEntry(int hotKey) const;

    Preferences& preferences_;
};

} // namespace tessarin
