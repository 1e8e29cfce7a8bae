#include "UI/OSD/OSDGridLayerCache.h"

#include <QPainter>
#include <QTransform>
#include <cmath>

namespace tessarin {

namespace {

// Sub-pixel amounts in keys, in 1/256 of a device pixel.
int64_t fine(double value) {
    return static_cast<int64_t>(std::llround(value * 256));
}

} // namespace

void OSDGridLayerCache::draw(const OSDGridCanvas& canvas, Key key, const Rect& bounds,
                             const Painting& paint) {
    QPainter& painter = canvas.painter();
    const QTransform device = painter.deviceTransform();
    if (device.type() > QTransform::TxScale || bounds.width() <= 0 || bounds.height() <= 0) {
        paint(canvas);
        return;
    }
    const QRectF target = device.mapRect(canvas.rect(bounds));
    const QPoint origin(static_cast<int>(std::floor(target.x())),
                        static_cast<int>(std::floor(target.y())));
    const QPointF offset = target.topLeft() - QPointF(origin);
    key.insert(key.end(), {fine(target.width()), fine(target.height()), fine(offset.x()),
                           fine(offset.y()), fine(device.m11()), fine(device.m22())});
    auto found = pictures_.find(key);
    if (found == pictures_.end()) {
        QImage image(static_cast<int>(std::ceil(offset.x() + target.width())),
                     static_cast<int>(std::ceil(offset.y() + target.height())),
                     QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter layer(&image);
        layer.setRenderHints(painter.renderHints());
        layer.setTransform(device * QTransform::fromTranslate(-origin.x(), -origin.y()));
        paint(OSDGridCanvas(layer, canvas.viewHeight()));
        layer.end();
        found = pictures_.emplace(std::move(key), Picture{std::move(image), true}).first;
    }
    Picture& picture = found->second;
    picture.used = true;
    // Copied in device pixels (the world undoes the device's own scaling), so the blend needs
    // no scaling or filtering.
    painter.save();
    painter.setWorldTransform(device.inverted() * painter.worldTransform());
    painter.drawImage(QPointF(origin), picture.image);
    painter.restore();
}

void OSDGridLayerCache::endPass() {
    for (auto it = pictures_.begin(); it != pictures_.end();) {
        if (it->second.used) {
            it->second.used = false;
            ++it;
        } else {
            it = pictures_.erase(it);
        }
    }
}

} // namespace tessarin
