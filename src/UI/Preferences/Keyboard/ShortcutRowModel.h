#pragma once

#include "Hotkeys/HotkeyAction.h"
#include "Hotkeys/HotkeyCombination.h"

#include <optional>
#include <string>

namespace tessarin {

class HotkeyStore;

// What one hotkey row of the Keyboard page shows.
struct ShortcutRowModel {
    HotkeyAction action;
    std::string title;
    std::optional<HotkeyCombination> combination; // as stored; shown only while enabled
    bool isShortcutEnabled = false;
    // The picker and the vertical moves only act in grid mode.
    bool isAvailable = true;
    // Why the shown combination cannot be pressed on this machine, when it cannot.
    std::optional<std::string> deliveryWarning;

    static ShortcutRowModel make(HotkeyStore& hotkeys, const HotkeyAction& action,
                                 bool gridModeEnabled);
};

} // namespace tessarin
