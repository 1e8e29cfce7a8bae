#include "Hotkeys/HotkeyCombination.h"
#include "Hotkeys/KeyCharacter.h"

#include <array>

namespace tessarin {

namespace {

struct SpecialKey {
    uint32_t keyCode;
    const char* displayKey;
    const char* keyEquivalent;
};

// The keys whose text is a glyph or a name rather than the character they type. Escape is
// missing on purpose: it has no printable character and so never becomes a hotkey.
constexpr std::array<SpecialKey, 22> kSpecialKeys{{
    {36, "\u21A9", "\r"},      {48, "\u21E5", "\t"},      {49, "Space", " "},
    {51, "\u232B", "\b"},      {76, "\u2305", "\x03"},    {117, "\u2326", "\x7F"},
    {115, "\u2196", "\uF729"}, {119, "\u2198", "\uF72B"}, {116, "\u21DE", "\uF72C"},
    {121, "\u21DF", "\uF72D"}, {122, "F1", "\uF704"},     {120, "F2", "\uF705"},
    {99, "F3", "\uF706"},      {118, "F4", "\uF707"},     {96, "F5", "\uF708"},
    {97, "F6", "\uF709"},      {98, "F7", "\uF70A"},      {100, "F8", "\uF70B"},
    {101, "F9", "\uF70C"},     {109, "F10", "\uF70D"},    {103, "F11", "\uF70E"},
    {111, "F12", "\uF70F"},
}};

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

const SpecialKey* specialKey(uint32_t keyCode) {
    for (const SpecialKey& key : kSpecialKeys) {
        if (key.keyCode == keyCode) {
            return &key;
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
    if (const SpecialKey* special = specialKey(keyCode)) {
        return HotkeyCombination{keyCode, modifiers, special->displayKey, special->keyEquivalent};
    }
    if (const auto character = printableKeyCharacter(event.characters)) {
        return HotkeyCombination{keyCode, modifiers, character->uppercase, character->lowercase};
    }
    return std::nullopt;
}

} // namespace tessarin
