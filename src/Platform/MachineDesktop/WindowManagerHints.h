#pragma once

#include "Platform/MachineDesktop/WindowActions.h"

#include <cstdint>

namespace tessarin::WindowManagerHints {

// Tells the X11 window manager what the machine's window `window` allows, so its frame offers
// only that: the window's _MOTIF_WM_HINTS. Qt writes that property from a window's flags but
// allows everything when a customised window has no button at all; it writes it anew at each
// change of the flags, so this follows each. Nothing happens on other platforms (Wayland,
// offscreen).
void tell(uintptr_t window, const WindowActions& actions);

} // namespace tessarin::WindowManagerHints
