#pragma once

#include "Hotkeys/HotkeyCombination.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace tessarin {

// The actions a global hotkey can be bound to, in the order they are listed everywhere.
enum class HotkeyIdentifier {
    showOSD,
    left,
    right,
    up,
    down,
    space1,
    space2,
    space3,
    space4,
    space5,
    space6,
    space7,
    space8,
    space9,
    space10,
    lastSpace,
};

inline constexpr std::array<HotkeyIdentifier, 16> kAllHotkeyIdentifiers{
    HotkeyIdentifier::showOSD,  HotkeyIdentifier::left,   HotkeyIdentifier::right,
    HotkeyIdentifier::up,       HotkeyIdentifier::down,   HotkeyIdentifier::space1,
    HotkeyIdentifier::space2,   HotkeyIdentifier::space3, HotkeyIdentifier::space4,
    HotkeyIdentifier::space5,   HotkeyIdentifier::space6, HotkeyIdentifier::space7,
    HotkeyIdentifier::space8,   HotkeyIdentifier::space9, HotkeyIdentifier::space10,
    HotkeyIdentifier::lastSpace};

// The identifiers a single display can bind: the directions and the ten direct slots. Showing
// the picker and going back to the last Space always act on the display under the pointer.
inline constexpr std::array<HotkeyIdentifier, 14> kDisplaySpecificHotkeyIdentifiers{
    HotkeyIdentifier::left,   HotkeyIdentifier::right,  HotkeyIdentifier::up,
    HotkeyIdentifier::down,   HotkeyIdentifier::space1, HotkeyIdentifier::space2,
    HotkeyIdentifier::space3, HotkeyIdentifier::space4, HotkeyIdentifier::space5,
    HotkeyIdentifier::space6, HotkeyIdentifier::space7, HotkeyIdentifier::space8,
    HotkeyIdentifier::space9, HotkeyIdentifier::space10};

// The case name, which is also the suffix of every stored key of the identifier.
std::string_view rawValue(HotkeyIdentifier identifier);
std::optional<HotkeyIdentifier> hotkeyIdentifierFromRawValue(std::string_view raw);

std::string displayName(HotkeyIdentifier identifier);
// The shorter name used after a display's name ("Switch left" rather than "Switch to space on
// the left").
std::string displaySpecificName(HotkeyIdentifier identifier);
// Control-Option-Command with the identifier's key.
HotkeyCombination defaultCombination(HotkeyIdentifier identifier);
// 1 to 10 for the direct slots, nothing for the others.
std::optional<int> directSlotIndex(HotkeyIdentifier identifier);
bool isDisplaySpecific(HotkeyIdentifier identifier);

} // namespace tessarin
