#pragma once

#include <QColor>
#include <QPainter>
#include <QRectF>

namespace tessarin {

// A blurred shadow of a rounded rectangle (an oval when the radius is half its side),
// approximated by a few rings that fade outwards. `offset` is in Qt's y-down space. A filled
// shadow lies under the whole shape; an outline's glow only spreads around its edge.
void drawSoftShadow(QPainter& painter, const QRectF& rect, double radius, QColor color, double blur,
                    QPointF offset, bool filled);

} // namespace tessarin
