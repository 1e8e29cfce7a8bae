#include "Hotkeys/HotkeyCombination.h"
#include "Hotkeys/KeyCharacter.h"
#include "Hotkeys/KeyCodeText.h"

#include <array>

namespace tessarin {

namespace {

struct ArrowKey {
    char32_t functionKey;
    const char* displayKey;
    const char* keyEquivalent;
};

constexpr std::array<ArrowKey, 4> kArrowKeys{{
    {0xF702, "\u2190", "\uF702"},
    {0xF703, "\u2192", "\uF703"},
    {0xF700, "\u2191", "\uF700"},
    {0xF701, "\u2193", "\uF701"},
}};

const ArrowKey* arrowKey(const Event& event) {
    const auto character = firstCodePoint(event.characters);
    for (const ArrowKey& arrow : kArrowKeys) {
        if (character == arrow.functionKey) {
            return &arrow;
        }
    }
    return nullptr;
}

} // namespace

uint32_t HotkeyCombination::carbonMask(uint64_t modifierFlags) {
    uint32_t mask = 0;
    if (modifierFlags & EventFlags::maskCommand) {
        mask |= HotkeyModifier::command;
    }
    if (modifierFlags & EventFlags::maskAlternate) {
        mask |= HotkeyModifier::option;
    }
    if (modifierFlags & EventFlags::maskControl) {
        mask |= HotkeyModifier::control;
    }
    if (modifierFlags & EventFlags::maskShift) {
        mask |= HotkeyModifier::shift;
    }
    return mask;
}

std::optional<HotkeyCombination> HotkeyCombination::from(const Event& event) {
    const uint32_t keyCode = event.keyCode();
    const uint32_t modifiers = carbonMask(event.flags);
    if (const ArrowKey* arrow = arrowKey(event)) {
        return HotkeyCombination{keyCode, modifiers, arrow->displayKey, arrow->keyEquivalent};
    }
    if (const auto special = specialKeyText(keyCode)) {
        return HotkeyCombination{keyCode, modifiers, special->displayKey, special->keyEquivalent};
    }
    if (const auto character = printableKeyCharacter(event.characters)) {
        return HotkeyCombination{keyCode, modifiers, character->uppercase, character->lowercase};
    }
    return std::nullopt;
}

} // namespace tessarin
