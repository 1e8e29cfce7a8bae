#include "Hotkeys/HotkeyIdentifier.h"

#include <algorithm>

namespace tessarin {

namespace {

struct IdentifierTraits {
    const char* raw;
    const char* displayName;
    const char* displaySpecificName; // nullptr: the display name
    uint32_t keyCode;
    const char* displayKey;
    const char* keyEquivalent;
};

constexpr uint32_t kDefaultModifiers =
    HotkeyModifier::control | HotkeyModifier::option | HotkeyModifier::command;

// In declaration order of the enumeration. `lastSpace` sits on the keypad plus key but shows
// the return glyph.
constexpr std::array<IdentifierTraits, 16> kTraits{{
    {"showOSD", "Show/Hide OSD space picker", nullptr, 49, "Space", " "},
    {"left", "Switch to space on the left", "Switch left", 123, "\u2190", "\uF702"},
    {"right", "Switch to space on the right", "Switch right", 124, "\u2192", "\uF703"},
    {"up", "Switch to space above", "Switch up", 126, "\u2191", "\uF700"},
    {"down", "Switch to space below", "Switch down", 125, "\u2193", "\uF701"},
    {"space1", "Switch to space 1", nullptr, 18, "1", "1"},
    {"space2", "Switch to space 2", nullptr, 19, "2", "2"},
    {"space3", "Switch to space 3", nullptr, 20, "3", "3"},
    {"space4", "Switch to space 4", nullptr, 21, "4", "4"},
    {"space5", "Switch to space 5", nullptr, 23, "5", "5"},
    {"space6", "Switch to space 6", nullptr, 22, "6", "6"},
    {"space7", "Switch to space 7", nullptr, 26, "7", "7"},
    {"space8", "Switch to space 8", nullptr, 28, "8", "8"},
    {"space9", "Switch to space 9", nullptr, 25, "9", "9"},
    {"space10", "Switch to space 10", nullptr, 29, "0", "0"},
    {"lastSpace", "Switch to last used space", nullptr, 69, "\u21A9", "-"},
}};

const IdentifierTraits& traits(HotkeyIdentifier identifier) {
    return kTraits[static_cast<std::size_t>(identifier)];
}

} // namespace

std::string_view rawValue(HotkeyIdentifier identifier) {
    return traits(identifier).raw;
}

std::optional<HotkeyIdentifier> hotkeyIdentifierFromRawValue(std::string_view raw) {
    for (HotkeyIdentifier identifier : kAllHotkeyIdentifiers) {
        if (rawValue(identifier) == raw) {
            return identifier;
        }
    }
    return std::nullopt;
}

std::string displayName(HotkeyIdentifier identifier) {
    return traits(identifier).displayName;
}

std::string displaySpecificName(HotkeyIdentifier identifier) {
    const IdentifierTraits& entry = traits(identifier);
    return entry.displaySpecificName ? entry.displaySpecificName : entry.displayName;
}

HotkeyCombination defaultCombination(HotkeyIdentifier identifier) {
    const IdentifierTraits& entry = traits(identifier);
    return {entry.keyCode, kDefaultModifiers, entry.displayKey, entry.keyEquivalent};
}

std::optional<int> directSlotIndex(HotkeyIdentifier identifier) {
    const int offset = static_cast<int>(identifier) - static_cast<int>(HotkeyIdentifier::space1);
    if (offset < 0 || identifier > HotkeyIdentifier::space10) {
        return std::nullopt;
    }
    return offset + 1;
}

bool isDisplaySpecific(HotkeyIdentifier identifier) {
    return std::find(kDisplaySpecificHotkeyIdentifiers.begin(),
                     kDisplaySpecificHotkeyIdentifiers.end(),
                     identifier) != kDisplaySpecificHotkeyIdentifiers.end();
}

} // namespace tessarin
