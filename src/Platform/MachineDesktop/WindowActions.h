#pragma once

#include <array>
#include <cstdint>

namespace tessarin {

// What a window of the program lets a person do to it from the window manager's frame: each
// window always moves; the rest it allows or refuses.
struct WindowActions {
    bool close = true;
    bool miniaturise = false;
    bool zoom = false;
    bool resize = false;
    friend bool operator==(const WindowActions&, const WindowActions&) = default;
};

// The five 32-bit values of an X11 window's _MOTIF_WM_HINTS: flags, functions, decorations,
// input mode and status. Only what is named is offered, a title and a border always.
std::array<uint32_t, 5> motifHintsOf(const WindowActions& actions);

} // namespace tessarin
