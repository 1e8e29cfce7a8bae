#pragma once

#include "Platform/SystemServices.h"

#include <QColor>

class QPainter;
class QRect;

namespace tessarin::TranslucentPanelBacking {

// What a translucent panel drawn in `appearance` stands on where the desktop draws no
// translucency: the ground that appearance's windows give it (white in light, near black in
// dark), so the panel shows in its own colour, as over those windows, not blended with black.
QColor color(Appearance appearance);

// Fills `rect` with that ground before the panel's content is drawn, only where the desktop
// does not compose; where it does, what lies behind shows through.
void paint(QPainter& painter, const QRect& rect, Appearance appearance, bool desktopComposites);
// As above, asking this machine's desktop whether it composes.
void paint(QPainter& painter, const QRect& rect, Appearance appearance);

} // namespace tessarin::TranslucentPanelBacking
