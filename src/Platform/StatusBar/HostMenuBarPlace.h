#pragma once

#include "Platform/StatusBar/MenuBarPlace.h"

#include <optional>

namespace tessarin {

class Host;

// The host's menu bar now: on its menu-bar display, as thick as that display's top strip that
// its visible frame leaves out. None while the host has no display.
std::optional<MenuBarPlace> hostMenuBarPlace(Host& host);

} // namespace tessarin
