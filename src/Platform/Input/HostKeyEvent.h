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

// The host's modifier flags of Qt's modifiers (Shift, Command, Control, Option only).
uint64_t hostModifierFlags(Qt::KeyboardModifiers modifiers);
// The host modifier a modifier key of Qt's stands for (Control is Command, Meta or Super is
// Control, Alt is Option); nothing for other keys.
std::optional<uint64_t> hostModifierKeyFlag(int key);

} // namespace tessarin
