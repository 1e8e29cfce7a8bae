#pragma once

#include "Hotkeys/SystemShortcutConflictDetecting.h"
#include "Platform/Preferences/PropertyValue.h"

#include <functional>
#include <optional>

namespace tessarin {

// Tells which of the system's Mission Control and Desktop keyboard shortcuts are on and bound to
// a combination's keys. They are read from "AppleSymbolicHotKeys" of the preference domain
// "com.apple.symbolichotkeys" on every call; an identifier the system has no entry for falls
// back to the system's built-in keys (Control and an arrow for Mission Control, Application
// Windows and moving left or right a Space; none for the rest).
class MissionControlShortcutConflictDetector : public SystemShortcutConflictDetecting {
public:
    using SymbolicHotKeysProvider = std::function<std::optional<PropertyDictionary>()>;

    // By default the current host's preferences are read.
    explicit MissionControlShortcutConflictDetector(
        SymbolicHotKeysProvider symbolicHotKeysProvider = loadSymbolicHotKeys);

    // In the order of the system's identifiers; empty when nothing clashes.
    std::vector<SystemKeyboardShortcutConflict>
    conflicts(const HotkeyCombination& combination) const override;

private:
    static std::optional<PropertyDictionary> loadSymbolicHotKeys();

    SymbolicHotKeysProvider symbolicHotKeysProvider_;
};

} // namespace tessarin
