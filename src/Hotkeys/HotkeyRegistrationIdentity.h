#pragma once

#include "Hotkeys/HotkeyAction.h"
#include "Support/Uuid.h"

#include <compare>
#include <string>
#include <variant>

namespace tessarin {

// The owner of one registered hotkey: a hotkey action, or a workspace shortcut by its id. An
// owner holds at most one registration at a time.
struct HotkeyRegistrationIdentity {
    std::variant<HotkeyAction, Uuid> owner;

    static HotkeyRegistrationIdentity action(HotkeyAction action) { return {std::move(action)}; }
    static HotkeyRegistrationIdentity workspace(Uuid id) { return {id}; }

    // The action's name, or "Workspace" for a workspace shortcut.
    std::string ownerName() const;

    friend bool operator==(const HotkeyRegistrationIdentity&,
                           const HotkeyRegistrationIdentity&) = default;
    friend auto operator<=>(const HotkeyRegistrationIdentity&,
                            const HotkeyRegistrationIdentity&) = default;
};

} // namespace tessarin
