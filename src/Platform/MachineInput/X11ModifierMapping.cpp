#include "Platform/MachineInput/X11ModifierMapping.h"

#include <algorithm>
#include <initializer_list>
#include <optional>

namespace tessarin {

namespace {

constexpr uint32_t kAltL = 0xffe9;
constexpr uint32_t kAltR = 0xffea;
constexpr uint32_t kSuperL = 0xffeb;
constexpr uint32_t kSuperR = 0xffec;
constexpr uint32_t kNumLock = 0xff7f;
// Shift, Lock and Control are fixed; the others sit on Mod1 to Mod5.
constexpr int kFirstMovable = 3;

bool typesAny(const X11ModifierMapping& mapping, uint8_t key,
              std::initializer_list<uint32_t> wanted) {
    const auto found = mapping.keySyms.find(key);
    if (found == mapping.keySyms.end()) {
        return false;
    }
    return std::ranges::any_of(found->second, [&](uint32_t keySym) {
        return std::ranges::find(wanted, keySym) != wanted.end();
    });
}

// The bit of the first movable modifier one of whose keys types a wanted symbol.
std::optional<uint16_t> bitTyping(const X11ModifierMapping& mapping,
                                  std::initializer_list<uint32_t> wanted) {
    for (int modifier = kFirstMovable; modifier < static_cast<int>(mapping.keys.size());
         ++modifier) {
        for (uint8_t key : mapping.keys[modifier]) {
            if (typesAny(mapping, key, wanted)) {
                return static_cast<uint16_t>(1 << modifier);
            }
        }
    }
    return std::nullopt;
}

} // namespace

X11ModifierBits x11ModifierBits(const X11ModifierMapping& mapping) {
    X11ModifierBits bits;
    bits.alt = bitTyping(mapping, {kAltL, kAltR}).value_or(bits.alt);
    bits.super = bitTyping(mapping, {kSuperL, kSuperR}).value_or(bits.super);
    bits.numLock = bitTyping(mapping, {kNumLock}).value_or(bits.numLock);
    return bits;
}

} // namespace tessarin
