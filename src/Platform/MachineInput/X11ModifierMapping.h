#pragma once

#include "Platform/MachineInput/X11HotKeyGrabPlan.h"

#include <array>
#include <cstdint>
#include <map>
#include <vector>

namespace tessarin {

// The X server's modifier mapping: the keys on each of the eight modifiers (Shift, Lock,
// Control, Mod1 to Mod5), with the key symbols each of those keys types.
struct X11ModifierMapping {
    std::array<std::vector<uint8_t>, 8> keys;
    std::map<uint8_t, std::vector<uint32_t>> keySyms;
};

// The bits Alt, Super and Num Lock stand on: the first of Mod1 to Mod5 holding a key that types
// them. One the mapping gives no key keeps its usual bit, so grabs stay as they always were.
X11ModifierBits x11ModifierBits(const X11ModifierMapping& mapping);

} // namespace tessarin
