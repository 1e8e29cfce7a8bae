#include "Platform/MachineInput/X11ServerKeptKeys.h"

namespace tessarin {

namespace {

constexpr uint32_t kSwitchVT1 = 0x1008FE01;
constexpr uint32_t kSwitchVT12 = 0x1008FE0C;

struct ServerKeySym {
    uint32_t keySym;
    const char* action;
};

constexpr ServerKeySym kServerKeySyms[] = {
    {0xFED5, "terminating the X server"},
    {0x1008FE20, "letting go of every grab"},
    {0x1008FE21, "ending the client that grabbed the keyboard"},
    {0x1008FE22, "switching to the next video mode"},
    {0x1008FE23, "switching to the previous video mode"},
    {0x1008FE24, "logging its window tree"},
    {0x1008FE25, "logging its grabs"},
};

// The key that types a symbol, as a grab looks it up: the first key with it on its first level,
// else the first with it on any level.
const X11KeyboardKey* keyTyping(const X11KeyboardMap& map, uint32_t keySym) {
    for (const X11KeyboardKey& key : map.keys) {
        if (!key.levels.empty() && key.levels.front() == keySym) {
            return &key;
        }
    }
    for (const X11KeyboardKey& key : map.keys) {
        for (uint32_t levelSym : key.levels) {
            if (levelSym == keySym) {
                return &key;
            }
        }
    }
    return nullptr;
}

} // namespace

uint32_t x11KeySymTyped(const X11KeyboardKey& key, uint16_t modifiers) {
    const uint16_t relevant = modifiers & key.typeModifiers;
    uint8_t level = 0;
    for (const X11KeyTypeEntry& entry : key.entries) {
        if (entry.modifiers == relevant) {
            level = entry.level;
            break;
        }
    }
    return level < key.levels.size() ? key.levels[level] : 0;
}

std::optional<std::string> x11ServerAction(uint32_t keySym) {
    if (keySym >= kSwitchVT1 && keySym <= kSwitchVT12) {
        return "switching to virtual terminal " + std::to_string(keySym - kSwitchVT1 + 1);
    }
    for (const ServerKeySym& entry : kServerKeySyms) {
        if (entry.keySym == keySym) {
            return entry.action;
        }
    }
    return std::nullopt;
}

std::optional<std::string> x11ServerKeptAction(const X11KeyboardMap& map, uint16_t hostKeyCode,
                                               uint32_t carbonModifiers,
                                               const X11ModifierBits& bits) {
    const auto keySym = x11KeySymForHostKeyCode(hostKeyCode);
    const X11KeyboardKey* key = keySym ? keyTyping(map, *keySym) : nullptr;
    if (key == nullptr) {
        return std::nullopt;
    }
    return x11ServerAction(x11KeySymTyped(*key, x11Modifiers(carbonModifiers, bits)));
}

} // namespace tessarin
