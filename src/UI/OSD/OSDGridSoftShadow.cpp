#include "UI/OSD/OSDGridSoftShadow.h"

#include <algorithm>
#include <cmath>

namespace tessarin {

void drawSoftShadow(QPainter& painter, const QPainterPath& shape, QColor color, double blur,
                    QPointF offset, bool filled) {
    if (color.alphaF() <= 0) {
        return;
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QPainterPath moved = shape.translated(offset);
    const int steps = std::clamp(static_cast<int>(std::ceil(blur)), 1, 8);
    const double layerAlpha = color.alphaF() / steps;
    for (int step = steps; step >= 1; --step) {
        QColor layer = color;
        layer.setAlphaF(static_cast<float>(layerAlpha));
        painter.setPen(
            QPen(layer, blur * 2.0 * step / steps, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(filled ? QBrush(layer) : QBrush(Qt::NoBrush));
        painter.drawPath(moved);
    }
    painter.restore();
}

} // namespace tessarin
