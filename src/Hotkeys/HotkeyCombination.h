#pragma once

#include "Platform/Input/Event.h"
#include "Support/Json.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tessarin {

// Carbon modifier bits of a combination.
namespace HotkeyModifier {
inline constexpr uint32_t command = 0x100;
inline constexpr uint32_t shift = 0x200;
inline constexpr uint32_t option = 0x800;
inline constexpr uint32_t control = 0x1000;
} // namespace HotkeyModifier

// One key with its modifiers, as the user bound it. Stored as a JSON object with the keys
// "keyCode", "modifiers", "displayKey" and "keyEquivalent"; all four are required, so stored
// data that lacks one reads as no combination.
struct HotkeyCombination {
    uint32_t keyCode = 0;      // virtual key code
    uint32_t modifiers = 0;    // Carbon modifier mask
    std::string displayKey;    // the text shown for the key
    std::string keyEquivalent; // the key as a menu key-equivalent character

    // The glyphs of the modifiers, always in the order Command, Option, Control, Shift.
    static std::string symbols(uint32_t modifiers);
    // The Carbon mask of event modifier flags: Command, Option, Control and Shift; Caps Lock,
    // Function, numeric pad and help are dropped.
    static uint32_t carbonMask(uint64_t modifierFlags);
    // The combination a key-down event makes: its key code and modifiers with the key's text;
    // nothing for a key that shows no text (Escape, F13, a dead key).
    static std::optional<HotkeyCombination> from(const Event& event);

    // The built-in direction bindings (Control-Option-Command and an arrow).
    static HotkeyCombination defaultLeft();
    static HotkeyCombination defaultRight();
    static HotkeyCombination defaultUp();
    static HotkeyCombination defaultDown();
    // The system's own Mission Control keys for the directions: Control and an arrow.
    static HotkeyCombination missionControlPresetLeft();
    static HotkeyCombination missionControlPresetRight();
    static HotkeyCombination missionControlPresetUp();
    static HotkeyCombination missionControlPresetDown();
    // The key the combination is registered on, as shown: registration uses only the key code,
    // so a key with a text of its own shows that text whatever was stored with it (the keypad's
    // plus shows "Keypad +"); a code no key has shows the stored text.
    std::string shownKey() const;
    // The modifier glyphs followed by the shown key, wherever a combination appears.
    std::string displayString() const;

    Json toJson() const;
    // Nothing for anything but an object carrying all four keys with the right types (key
    // code and modifiers unsigned 32-bit integers); unknown keys are ignored.
    static std::optional<HotkeyCombination> fromJson(const Json& json);

    // The stored form: the JSON object as UTF-8 bytes.
    std::vector<uint8_t> encodedData() const;
    // Nothing for bytes that are not such an object.
    static std::optional<HotkeyCombination> decode(const std::vector<uint8_t>& data);

    friend bool operator==(const HotkeyCombination&, const HotkeyCombination&) = default;
};

} // namespace tessarin

template <> struct std::hash<tessarin::HotkeyCombination> {
    std::size_t operator()(const tessarin::HotkeyCombination& combination) const noexcept;
};
