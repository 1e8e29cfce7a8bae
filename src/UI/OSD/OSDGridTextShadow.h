#pragma once

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QPointF>
#include <QRectF>
#include <QString>

namespace tessarin {

// The soft shadow under a line of text: the text's shape in `color`, blurred by `blur` points
// (a Gaussian of half that deviation, as a shadow's blur radius reads) and moved by `offset`
// (Qt's y-down space). Drawn at the painter's device resolution.
void drawTextShadow(QPainter& painter, const QRectF& box, int flags, const QString& text,
                    const QFont& font, const QColor& color, double blur, QPointF offset);

} // namespace tessarin
