#pragma once

#include "Hotkeys/OSDKeyBindingAction.h"
#include "Platform/Input/Event.h"
#include "Support/Json.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tessarin {

// One plain key that drives an open grid. Stored as a JSON object with "keyCode", "modifiers"
// and "displayKey", all required. Keypad Enter and Return are one key: a binding keeps Return
// (36) shown as "↩".
struct OSDKeyBinding {
    static constexpr uint16_t returnKeyCode = 36;
    static constexpr uint16_t keypadEnterKeyCode = 76;

    uint16_t keyCode = 0;
    uint32_t modifiers = 0; // Carbon mask; always 0 in a stored binding
    std::string displayKey;

    static OSDKeyBinding defaultBinding(OSDKeyBindingAction action);
    // The binding a key press makes: nothing when a modifier is held or the key shows no text.
    static std::optional<OSDKeyBinding> from(const Event& event);
    // The modifier glyphs, in the order used for every shown combination.
    static std::string modifierSymbols(uint32_t modifiers);

    // Keypad Enter as Return, and Return always shown as "↩".
    OSDKeyBinding normalized() const;
    // The same physical key, Return and keypad Enter counting as one.
    bool hasSameKey(uint16_t otherKeyCode) const;

    Json toJson() const;
    static std::optional<OSDKeyBinding> fromJson(const Json& json);
    std::vector<uint8_t> encodedData() const;
    static std::optional<OSDKeyBinding> decode(const std::vector<uint8_t>& data);

    friend bool operator==(const OSDKeyBinding&, const OSDKeyBinding&) = default;
};

} // namespace tessarin
