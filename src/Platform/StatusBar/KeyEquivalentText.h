#pragma once

#include <cstdint>
#include <string>

namespace tessarin {

// A menu item's key equivalent as the host's menus show it beside the title: the modifier
// glyphs in the order Command "⌘", Option "⌥", Control "⌃", Shift "⇧", then the key: a letter
// upper-cased, an arrow or other special key as its glyph ("←", "↩", "⌫", ...), a function key
// as its name ("F5"). Empty for an item without a key equivalent.
std::string keyEquivalentText(const std::string& keyEquivalent, uint64_t modifierMask);

} // namespace tessarin
