#pragma once

#include "Platform/MachineInput/X11HotKeyGrabPlan.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tessarin {

// Which level of a key the held modifiers select: the key's type looks only at its own
// modifiers, and a combination of them no entry names selects the first level.
struct X11KeyTypeEntry {
    uint16_t modifiers = 0;
    uint8_t level = 0; // from 0
    friend bool operator==(const X11KeyTypeEntry&, const X11KeyTypeEntry&) = default;
};

// One key of the X keyboard map, in its first group.
struct X11KeyboardKey {
    uint8_t keyCode = 0;
    uint16_t typeModifiers = 0;
    std::vector<X11KeyTypeEntry> entries;
    std::vector<uint32_t> levels; // the key symbol of each level
    friend bool operator==(const X11KeyboardKey&, const X11KeyboardKey&) = default;
};

struct X11KeyboardMap {
    std::vector<X11KeyboardKey> keys;
    friend bool operator==(const X11KeyboardMap&, const X11KeyboardMap&) = default;
};

// The key symbol a key types with the modifiers held; 0 for a level the key does not have.
uint32_t x11KeySymTyped(const X11KeyboardKey& key, uint16_t modifiers);

// What the X server does itself when a key symbol is typed ("switching to the next video
// mode"), since its keyboard map gives these symbols actions of the server's instead of
// handing them to a client; nothing for every other symbol.
std::optional<std::string> x11ServerAction(uint32_t keySym);

// The plan: what the server does instead of delivering a hot key (host key code and Carbon
// mask) pressed on this map, when it keeps it; nothing when a grab of it hears it.
std::optional<std::string> x11ServerKeptAction(const X11KeyboardMap& map, uint16_t hostKeyCode,
                                               uint32_t carbonModifiers,
                                               const X11ModifierBits& bits);

} // namespace tessarin
