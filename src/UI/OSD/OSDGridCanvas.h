#pragma once

#include "Support/Geometry.h"

#include <QPainter>
#include <QPainterPath>
#include <QPointF>
#include <QRectF>

namespace tessarin {

// A painter over a view whose own geometry keeps y pointing up. Every rectangle and point goes
// through here on its way to Qt, so the flip to Qt's y-down space happens in one place.
class OSDGridCanvas {
public:
    OSDGridCanvas(QPainter& painter, double viewHeight) : painter_(painter), height_(viewHeight) {}

    QPainter& painter() const { return painter_; }
    double viewHeight() const { return height_; }

    QRectF rect(const Rect& rect) const { return qtRect(rect, height_); }
    // The rectangle in Qt's y-down space of a view `viewHeight` high.
    static QRectF qtRect(const Rect& rect, double viewHeight) {
        const Rect flipped = flippedRect(rect.standardized(), viewHeight);
        return {flipped.minX(), flipped.minY(), flipped.width(), flipped.height()};
    }
    QPointF point(Point point) const {
        const Point flipped = flippedPoint(point, height_);
        return {flipped.x, flipped.y};
    }
    QPainterPath roundedRect(const Rect& frame, double radius) const {
        QPainterPath path;
        path.addRoundedRect(rect(frame), radius, radius);
        return path;
    }

private:
    QPainter& painter_;
    double height_;
};

} // namespace tessarin
