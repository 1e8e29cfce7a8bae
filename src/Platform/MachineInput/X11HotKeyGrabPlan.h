#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tessarin {

// The X11 modifier bits of the machine's keyboard that the host's modifiers stand on (read from
// the server's modifier mapping: Alt and Super sit on whichever ModN holds them), and the locks
// a grab must ignore.
struct X11ModifierBits {
    uint16_t shift = 1 << 0;
    uint16_t capsLock = 1 << 1;
    uint16_t control = 1 << 2;
    uint16_t alt = 1 << 3;     // Mod1 on most servers
    uint16_t numLock = 1 << 4; // Mod2
    uint16_t super = 1 << 6;   // Mod4
};

// One combination to grab on the root window: a key symbol and the modifiers held with it.
struct X11KeyCombination {
    uint32_t keySym = 0;
    uint16_t modifiers = 0;
    friend bool operator==(const X11KeyCombination&, const X11KeyCombination&) = default;
};

// The key symbol a key of the host's keyboard types on the machine's; nothing for a code the
// machine has no key for.
std::optional<uint32_t> x11KeySymForHostKeyCode(uint16_t keyCode);
// A hot key as the machine's keyboard types it, for log lines: "Ctrl+Alt+Super+space".
std::string x11CombinationName(uint16_t keyCode, uint32_t carbonModifiers);

// The machine's modifiers of a registered hot key's mask (Command is Control, Option is Alt,
// Control is Super, as keys typed in the program's windows are read), and back from an event's
// state, locks ignored.
uint16_t x11Modifiers(uint32_t carbonModifiers, const X11ModifierBits& bits);
uint32_t carbonModifiersOfX11State(uint16_t state, const X11ModifierBits& bits);

// Every modifier state under which a combination is grabbed, so Num Lock and Caps Lock being on
// do not hide it: without either, with each, and with both.
std::vector<uint16_t> x11LockVariants(uint16_t modifiers, const X11ModifierBits& bits);

} // namespace tessarin
