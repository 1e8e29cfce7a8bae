#pragma once

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRectF>

namespace tessarin {

// Fills `shape` with `image` stretched over `imageRect`. One textured fill clips the picture to
// the shape without a clip region, which keeps a pass of many cells fast.
void fillPathWithImage(QPainter& painter, const QPainterPath& shape, const QImage& image,
                       const QRectF& imageRect);

} // namespace tessarin
