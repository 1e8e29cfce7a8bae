#pragma once

#include "Platform/Input/Event.h"

#include <QKeyEvent>
#include <optional>

namespace tessarin {

// A Qt key press as the host reports it: the ANSI key code, the host's modifier flags (Qt's
// Control is the host's Command, as on the host's own toolkit) and the characters the host's
// keyboard layout gives that code, so a window's key handler sees what the session's taps see.
// Nothing for keys without an ANSI code here.
std::optional<Event> hostKeyEvent(const QKeyEvent& event);

} // namespace tessarin
