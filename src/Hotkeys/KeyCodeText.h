#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tessarin {

// A key whose text is a glyph or a name rather than the character it types, with its menu key
// equivalent.
struct SpecialKeyText {
    const char* displayKey;
    const char* keyEquivalent;
};

// Return, Tab, Space, the delete keys, keypad Enter, the navigation keys and F1 to F12. Escape
// is missing on purpose: it has no printable character and so never becomes a hotkey.
std::optional<SpecialKeyText> specialKeyText(uint32_t keyCode);

// The text that names the key a code stands for wherever a combination is shown: the special
// keys' glyphs, the arrows, the keypad's keys told apart from the main keys ("Keypad +"), and a
// character key's character upper-cased. Nothing for a code no key of the layout has.
std::optional<std::string> keyCodeText(uint32_t keyCode);

} // namespace tessarin
