#pragma once

#include <cstdint>
#include <string>

namespace tessarin {

// The characters a key of the ANSI layout types without modifiers (UTF-8); empty for keys that
// type nothing (modifier keys, unknown codes). Arrow, navigation and function keys give the
// application kit's function-key characters (U+F700 and up).
std::string charactersForKeyCode(uint16_t keyCode);

// Arrow keys report the function and numeric-pad flags with every event, as real keyboards do.
bool isArrowKeyCode(uint16_t keyCode);

} // namespace tessarin
