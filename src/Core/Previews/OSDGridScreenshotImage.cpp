#include "Core/Previews/OSDGridScreenshotImage.h"

#include "Platform/ScreenCapture/CaptureContent.h"
#include "Platform/ScreenCapture/ScreenCapture.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace tessarin::OSDGridScreenshotImage {

std::optional<QImage> makeBitmap(double width, double height) {
    if (!std::isfinite(width) || !std::isfinite(height)) {
        return std::nullopt;
    }
    const double limit = ScreenCapture::maximumPixelSize;
    const double pixelWidth = std::max(1.0, std::round(width));
    const double pixelHeight = std::max(1.0, std::round(height));
    if (pixelWidth > limit || pixelHeight > limit) {
        return std::nullopt;
    }
    QImage bitmap(static_cast<int>(pixelWidth), static_cast<int>(pixelHeight),
                  CaptureContent::imageFormat);
    if (bitmap.isNull()) {
        return std::nullopt;
    }
    bitmap.fill(Qt::transparent);
    return bitmap;
}

std::optional<QImage> stretched(const QImage& image, double width, double height) {
    if (image.isNull()) {
        return std::nullopt;
    }
    auto bitmap = makeBitmap(width, height);
    if (!bitmap) {
        return std::nullopt;
    }
    QPainter painter(&*bitmap);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRectF(0, 0, bitmap->width(), bitmap->height()), image);
    painter.end();
    return bitmap;
}

} // namespace tessarin::OSDGridScreenshotImage
