#include "UI/OSD/OSDGridImageFill.h"

#include <QBrush>
#include <QTransform>

namespace tessarin {

void fillPathWithImage(QPainter& painter, const QPainterPath& shape, const QImage& image,
                       const QRectF& imageRect) {
    if (image.isNull() || imageRect.isEmpty()) {
        return;
    }
    QBrush brush(image);
    brush.setTransform(
        QTransform::fromTranslate(imageRect.x(), imageRect.y())
            .scale(imageRect.width() / image.width(), imageRect.height() / image.height()));
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.fillPath(shape, brush);
    painter.restore();
}

} // namespace tessarin
