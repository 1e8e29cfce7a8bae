#pragma once

#include "Platform/Screen.h"
#include "Platform/WindowServerTypes.h"

#include <optional>
#include <string>

namespace tessarin {

// Identity of the connected screens, read from the current host.

// The screen's display number; absent when the screen carries none (0).
std::optional<DisplayID> tessarinDisplayID(const Screen& screen);
// The screen's display identifier: the display's UUID string when the window server gives one
// for the display number, otherwise the number in decimal; absent without a display number.
std::optional<std::string> tessarinDisplayIdentifier(const Screen& screen);
// The connected screen whose display identifier matches, or nothing.
std::optional<Screen> tessarinScreen(const std::optional<std::string>& displayIdentifier);
// The first screen that holds the mouse, else the main screen; nothing without
// screens.
std::optional<Screen> tessarinScreenContainingMouse();

} // namespace tessarin
