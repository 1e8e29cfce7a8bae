#pragma once

#include "Platform/SystemServices.h"

#include <QColor>

namespace tessarin {

// A system colour (green, orange, yellow, blue) as status text and its symbol: the system's
// increased-contrast form of it, which reads at 4.5 : 1 on the window and the cards of the
// appearance; other colours are returned as they are.
QColor statusTextColour(const QColor& systemColour, Appearance appearance);

} // namespace tessarin
