#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tessarin {

// The first character a key types (ignoring modifiers), in the two cases a binding needs.
struct KeyCharacter {
    std::string uppercase; // shown to the user
    std::string lowercase; // used as the menu key equivalent
};

// Nothing when the text is empty or its first character is not a letter, number, punctuation
// or symbol (control characters and the function-key characters of special keys are neither).
std::optional<KeyCharacter> printableKeyCharacter(std::string_view characters);
// The first Unicode code point of UTF-8 text, if any.
std::optional<char32_t> firstCodePoint(std::string_view characters);

} // namespace tessarin
