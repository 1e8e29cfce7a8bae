#pragma once

#include <compare>
#include <cstdint>

namespace tessarin {

// A key press as the override tap matches it: the key code and the Carbon modifier mask.
struct HotkeyEventSignature {
    uint32_t keyCode = 0;
    uint32_t modifiers = 0;

    friend bool operator==(const HotkeyEventSignature&, const HotkeyEventSignature&) = default;
    friend auto operator<=>(const HotkeyEventSignature&, const HotkeyEventSignature&) = default;
};

} // namespace tessarin
