#pragma once

#include "Platform/Input/Event.h"

#include <optional>

class QKeyEvent;

namespace tessarin {

// A Qt key press as the host reports it: its ANSI key code, modifier flags and the characters
// the key types without modifiers. Nothing for keys the ANSI layout has no code for.
std::optional<Event> hostKeyEvent(const QKeyEvent& event);

} // namespace tessarin
