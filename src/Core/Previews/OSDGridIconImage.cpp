#include "Core/Previews/OSDGridIconImage.h"

#include "Platform/ScreenCapture/CaptureContent.h"

#include <QPainter>

namespace tessarin::OSDGridIconImage {

QImage make(const QImage& source) {
    QImage icon(side, side, CaptureContent::imageFormat);
    icon.fill(Qt::transparent);
    if (source.isNull()) {
        return icon;
    }
    QPainter painter(&icon);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRect(0, 0, side, side), source);
    return icon;
}

QImage Cache::make(const QImage& source) {
    const qint64 key = source.cacheKey();
    if (const auto it = copies_.find(key); it != copies_.end()) {
        return it->second;
    }
    if (copies_.size() >= capacity) {
        copies_.clear();
    }
    return copies_.emplace(key, OSDGridIconImage::make(source)).first->second;
}

} // namespace tessarin::OSDGridIconImage
