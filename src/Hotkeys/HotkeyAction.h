#pragma once

#include "Hotkeys/HotkeyCombination.h"
#include "Hotkeys/HotkeyIdentifier.h"
#include "Hotkeys/HotkeyScope.h"

#include <compare>
#include <string>

namespace tessarin {

// One bindable unit: an identifier on a scope. It is what is bound, enabled, allowed to take
// over a system shortcut, and registered.
struct HotkeyAction {
    HotkeyIdentifier identifier = HotkeyIdentifier::showOSD;
    HotkeyScope scope = HotkeyScope::cursorDisplay();

    static HotkeyAction cursor(HotkeyIdentifier identifier) {
        return {identifier, HotkeyScope::cursorDisplay()};
    }
    static HotkeyAction onDisplay(HotkeyIdentifier identifier, std::string displayKey) {
        return {identifier, HotkeyScope::display(std::move(displayKey))};
    }

    // The identifier's name for the cursor display; for a display, the display's name, ": " and
    // the identifier's short name.
    std::string displayName() const;

    // True for a direction bound to exactly its Control-arrow Mission Control combination: such
    // a binding only works by taking the keys away from the system, whatever the user chose.
    bool shouldAlwaysOverrideMissionControlShortcut(const HotkeyCombination& combination) const;
    static bool shouldAlwaysOverrideMissionControlShortcut(const HotkeyCombination& combination,
                                                           HotkeyIdentifier identifier);

    friend bool operator==(const HotkeyAction&, const HotkeyAction&) = default;
    friend std::strong_ordering operator<=>(const HotkeyAction&, const HotkeyAction&) = default;
};

} // namespace tessarin

template <> struct std::hash<tessarin::HotkeyAction> {
    std::size_t operator()(const tessarin::HotkeyAction& action) const noexcept;
};
