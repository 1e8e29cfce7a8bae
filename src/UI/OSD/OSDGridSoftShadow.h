#pragma once

#include <QColor>
#include <QPainter>
#include <QPainterPath>
#include <QPointF>

namespace tessarin {

// A blurred shadow of a shape, approximated by concentric strokes that fade outwards. `offset`
// is in Qt's y-down space.
void drawSoftShadow(QPainter& painter, const QPainterPath& shape, QColor color, double blur,
                    QPointF offset, bool filled);

} // namespace tessarin
