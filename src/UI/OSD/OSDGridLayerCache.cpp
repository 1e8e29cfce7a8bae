#include "UI/OSD/OSDGridLayerCache.h"

#include <cmath>

namespace tessarin {

namespace {

// Sub-pixel amounts in keys, in 1/256 of a device pixel.
int64_t fine(double value) {
    return static_cast<int64_t>(std::llround(value * 256));
}

} // namespace

std::optional<OSDGridLayerCache::Placement> OSDGridLayerCache::place(const QTransform& device,
                                                                     const QRectF& rect) {
    if (device.type() > QTransform::TxScale || rect.width() <= 0 || rect.height() <= 0) {
        return std::nullopt;
    }
    const QRectF target = device.mapRect(rect);
    const QPoint origin(static_cast<int>(std::floor(target.x())),
                        static_cast<int>(std::floor(target.y())));
    const QPointF offset = target.topLeft() - QPointF(origin);
    return Placement{origin,
                     QSize(static_cast<int>(std::ceil(offset.x() + target.width())),
                           static_cast<int>(std::ceil(offset.y() + target.height()))),
                     device * QTransform::fromTranslate(-origin.x(), -origin.y()),
                     {fine(target.width()), fine(target.height()), fine(offset.x()),
                      fine(offset.y()), fine(device.m11()), fine(device.m22())}};
}

QImage OSDGridLayerCache::paintPicture(const Placement& placement, QPainter::RenderHints hints,
                                       double viewHeight, const Painting& paint) {
    QImage image(placement.size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter layer(&image);
    layer.setRenderHints(hints);
    layer.setTransform(placement.layer);
    paint(OSDGridCanvas(layer, viewHeight));
    layer.end();
    return image;
}

void OSDGridLayerCache::draw(const OSDGridCanvas& canvas, Key key, const Rect& bounds,
                             const Painting& paint) {
    QPainter& painter = canvas.painter();
    const QTransform device = painter.deviceTransform();
    const auto placement = place(device, canvas.rect(bounds));
    if (!placement) {
        paint(canvas);
        return;
    }
    key.insert(key.end(), placement->geometry.begin(), placement->geometry.end());
    auto found = pictures_.find(key);
    if (found == pictures_.end()) {
        found = takeOffered(key);
    }
    if (found == pictures_.end()) {
        QImage image = paintPicture(*placement, painter.renderHints(), canvas.viewHeight(), paint);
        found = pictures_.emplace(std::move(key), Picture{std::move(image), true}).first;
    }
    Picture& picture = found->second;
    picture.used = true;
    // Copied in device pixels (the world undoes the device's own scaling), so the blend needs
    // no scaling or filtering.
    painter.save();
    painter.setWorldTransform(device.inverted() * painter.worldTransform());
    painter.drawImage(QPointF(placement->origin), picture.image);
    painter.restore();
}

std::map<OSDGridLayerCache::Key, OSDGridLayerCache::Picture>::iterator
OSDGridLayerCache::takeOffered(const Key& key) {
    for (auto it = offered_.begin(); it != offered_.end(); ++it) {
        if (it->second.key == key) {
            auto taken = pictures_.emplace(key, Picture{std::move(it->second.image), true}).first;
            offered_.erase(it);
            return taken;
        }
    }
    return pictures_.end();
}

void OSDGridLayerCache::offer(int64_t cell, Key key, QImage picture) {
    offered_.insert_or_assign(cell, Offered{std::move(key), std::move(picture)});
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
