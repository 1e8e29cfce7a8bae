#include "UI/OSD/OSDGridSoftShadow.h"

#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace tessarin {

namespace {

QPainterPath roundedRect(const QRectF& rect, double grow, double radius) {
    QPainterPath path;
    const double corner = std::max(radius + grow, 0.0);
    path.addRoundedRect(rect.adjusted(-grow, -grow, grow, grow), corner, corner);
    return path;
}

} // namespace

void drawSoftShadow(QPainter& painter, const QRectF& rect, double radius, QColor color, double blur,
                    QPointF offset, bool filled) {
    if (color.alphaF() <= 0 || blur <= 0) {
        return;
    }
    // Three rings read as a blur at these sizes and keep a pass cheap: fills, never wide strokes.
    const int steps = std::clamp(static_cast<int>(std::ceil(blur / 2)), 1, 3);
    QColor layer = color;
    layer.setAlphaF(color.alphaF() / static_cast<float>(steps));
    const QRectF moved = rect.translated(offset);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    for (int step = 1; step <= steps; ++step) {
        QPainterPath ring = roundedRect(moved, blur * step / steps, radius);
        if (!filled) {
            ring.addPath(roundedRect(moved, -blur * step / steps, radius));
            ring.setFillRule(Qt::OddEvenFill);
        }
        painter.fillPath(ring, layer);
    }
    painter.restore();
}

} // namespace tessarin
