#include "Core/Previews/OSDGridWindowPreviewComposer.h"

#include "Core/Previews/OSDGridWindowDiagnostics.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>

namespace tessarin::OSDGridWindowPreviewComposer {

namespace {

constexpr Size kCanvasSize{kCanvasWidth, kCanvasHeight};
constexpr double kCardCornerRadius = 5;
constexpr double kSnapCoverage = 0.92;

bool isFinite(const Rect& rect) {
    return std::isfinite(rect.origin.x) && std::isfinite(rect.origin.y) &&
           std::isfinite(rect.size.width) && std::isfinite(rect.size.height);
}

bool hasPositiveSize(const Rect& rect) {
    return isFinite(rect) && rect.size.width > 0 && rect.size.height > 0;
}

// Canvas rectangles are y-up; the painter's device is y-down.
QRectF deviceRect(const QPainter& painter, const Rect& rect) {
    const double height = painter.device()->height();
    return {rect.minX(), height - rect.maxY(), rect.width(), rect.height()};
}

QPointF devicePoint(const QPainter& painter, double x, double y) {
    return {x, painter.device()->height() - y};
}

QPainterPath cardPath(const QRectF& rect) {
    QPainterPath path;
    path.addRoundedRect(rect, kCardCornerRadius, kCardCornerRadius);
    return path;
}

// A soft shadow under the card: the translucent fill's shadow (black 0.35 x 0.18), offset two
// pixels down and spread over a few growing outlines in place of a Gaussian blur.
void drawCardShadow(QPainter& painter, const QRectF& rect) {
    constexpr double kShadowAlpha = 0.35 * 0.18;
    constexpr int kLayers = 4;
    painter.setPen(Qt::NoPen);
    for (int layer = kLayers; layer >= 1; --layer) {
        const double grow = 2.0 * layer;
        QColor shade(0, 0, 0);
        shade.setAlphaF(static_cast<float>(kShadowAlpha / kLayers));
        painter.setBrush(shade);
        painter.drawRoundedRect(rect.translated(0, 2).adjusted(-grow, -grow, grow, grow),
                                kCardCornerRadius + grow, kCardCornerRadius + grow);
    }
}

void drawCard(QPainter& painter, const QImage& image, const Rect& rect) {
    const QRectF target = deviceRect(painter, rect);
    const QPainterPath path = cardPath(target);
    painter.save();
    drawCardShadow(painter, target);
    QColor fill(0, 0, 0);
    fill.setAlphaF(0.18f);
    painter.fillPath(path, fill);
    painter.restore();

    painter.save();
    painter.setClipPath(path, Qt::IntersectClip);
    drawAspectFill(painter, image, rect);
    painter.restore();

    QColor border(255, 255, 255);
    border.setAlphaF(0.18f);
    painter.strokePath(path, QPen(border, 1));
}

bool drawSpatialLayout(QPainter& painter,
                       const std::vector<OSDGridRenderableWindowPreview>& paintOrdered,
                       const Rect& displayFrame) {
    std::vector<OSDGridRenderableWindowPreview> placed;
    for (const auto& preview : paintOrdered) {
        if (preview.bounds && hasPositiveSize(*preview.bounds)) {
            placed.push_back(preview);
        }
    }
    const Rect drawingRect = spatialDrawingRect(displayFrame, kCanvasSize);
    if (placed.empty() || !hasPositiveSize(drawingRect)) {
        return false;
    }
    painter.save();
    painter.setClipRect(deviceRect(painter, drawingRect), Qt::IntersectClip);
    OSDGridWindowDiagnostics::debugRenderablePreviews(placed, "compose.draw-order", displayFrame);
    for (const auto& preview : placed) {
        if (!preview.bounds->intersects(displayFrame)) {
            continue;
        }
        const Rect snapped = snappedDisplayCoveringBounds(*preview.bounds, displayFrame);
        const Rect mapped = mappedWindowRect(snapped, displayFrame, drawingRect);
        if (mapped.width() <= 0.5 || mapped.height() <= 0.5) {
            continue;
        }
        if (mapped == drawingRect) {
            drawAspectFill(painter, preview.image, mapped);
        } else {
            drawCard(painter, preview.image, mapped);
        }
    }
    painter.restore();
    return true;
}

void drawCollage(QPainter& painter, const std::vector<OSDGridRenderableWindowPreview>& ordered,
                 const std::optional<Rect>& displayFrame) {
    const std::vector<OSDGridRenderableWindowPreview> shown(
        ordered.begin(),
        ordered.begin() + static_cast<long>(std::min(ordered.size(), kMaximumCollageWindows)));
    OSDGridWindowDiagnostics::debugRenderablePreviews(shown, "compose.collage-order", displayFrame);
    const int count = static_cast<int>(shown.size());
    for (int i = 0; i < count; ++i) {
        const QImage& image = shown[static_cast<std::size_t>(i)].image;
        const Size imageSize{static_cast<double>(image.width()),
                             static_cast<double>(image.height())};
        drawCard(painter, image, windowFrame(imageSize, i, count, kCanvasSize));
    }
}

std::optional<QImage> fallbackCanvas() {
    auto canvas = makeBitmap(kCanvasSize);
    if (!canvas) {
        return std::nullopt;
    }
    QPainter painter(&*canvas);
    drawFallbackBackground(painter, Rect(0, 0, kCanvasWidth, kCanvasHeight));
    painter.end();
    return canvas;
}

} // namespace

std::optional<QImage> makeBitmap(Size size) {
    if (!std::isfinite(size.width) || !std::isfinite(size.height)) {
        return std::nullopt;
    }
    const double width = std::max(1.0, std::round(size.width));
    const double height = std::max(1.0, std::round(size.height));
    if (width > kMaximumBitmapSide || height > kMaximumBitmapSide) {
        return std::nullopt;
    }
    QImage bitmap(static_cast<int>(width), static_cast<int>(height),
                  QImage::Format_ARGB32_Premultiplied);
    if (bitmap.isNull()) {
        return std::nullopt;
    }
    bitmap.fill(Qt::transparent);
    return bitmap;
}

std::optional<QImage> compose(const std::vector<OSDGridRenderableWindowPreview>& windowPreviews,
                              const std::optional<QImage>& backgroundImage,
                              const std::optional<Rect>& displayFrame) {
    auto canvas = makeBitmap(kCanvasSize);
    if (!canvas) {
        return fallbackCanvas();
    }
    QPainter painter(&*canvas);
    painter.setRenderHints(QPainter::SmoothPixmapTransform | QPainter::Antialiasing);
    const Rect whole(0, 0, kCanvasWidth, kCanvasHeight);
    if (backgroundImage && !backgroundImage->isNull()) {
        drawAspectFill(painter, *backgroundImage, whole);
    } else {
        drawFallbackBackground(painter, whole);
    }

    auto ordered = windowPreviews;
    std::stable_sort(ordered.begin(), ordered.end(), spatialWindowCapturePrecedence);
    if (ordered.size() > kMaximumSpatialWindows) {
        ordered.erase(ordered.begin(), ordered.end() - static_cast<long>(kMaximumSpatialWindows));
    }
    OSDGridWindowDiagnostics::debugRenderablePreviews(ordered, "compose.candidates", displayFrame);

    const bool usableFrame = displayFrame && hasPositiveSize(*displayFrame);
    if (!usableFrame || !drawSpatialLayout(painter, ordered, *displayFrame)) {
        drawCollage(painter, ordered, displayFrame);
    }
    painter.end();
    return canvas;
}

bool spatialWindowCapturePrecedence(const OSDGridRenderableWindowPreview& a,
                                    const OSDGridRenderableWindowPreview& b) {
    if (a.onScreenIndex.has_value() != b.onScreenIndex.has_value()) {
        return !a.onScreenIndex.has_value();
    }
    if (a.onScreenIndex && *a.onScreenIndex != *b.onScreenIndex) {
        return *a.onScreenIndex > *b.onScreenIndex;
    }
    if (a.zIndex != b.zIndex) {
        return a.zIndex < b.zIndex;
    }
    if (a.area != b.area) {
        return a.area > b.area;
    }
    const auto name = [](const OSDGridRenderableWindowPreview& p) {
        return p.bundleIdentifier.value_or(p.appDisplayName.value_or(""));
    };
    return name(a) < name(b);
}

Rect snappedDisplayCoveringBounds(const Rect& bounds, const Rect& displayFrame) {
    if (!hasPositiveSize(displayFrame) || !isFinite(bounds) || !bounds.intersects(displayFrame)) {
        return bounds;
    }
    const Rect overlap = bounds.intersection(displayFrame);
    const double coverage =
        (overlap.width() * overlap.height()) / (displayFrame.width() * displayFrame.height());
    const double toleranceX = std::max(0.035 * displayFrame.width(), 24.0);
    const double toleranceY = std::max(0.035 * displayFrame.height(), 24.0);
    const double left = std::max(0.0, bounds.minX() - displayFrame.minX());
    const double right = std::max(0.0, displayFrame.maxX() - bounds.maxX());
    const double top = std::max(0.0, bounds.minY() - displayFrame.minY());
    const double bottom = std::max(0.0, displayFrame.maxY() - bounds.maxY());
    const bool snaps = left <= toleranceX && right <= toleranceX && top <= toleranceY &&
                       bottom <= toleranceY && coverage >= kSnapCoverage;
    return snaps ? displayFrame : bounds;
}

Rect integralRect(const Rect& rect) {
    const double minX = std::floor(rect.minX());
    const double minY = std::floor(rect.minY());
    return {minX, minY, std::ceil(rect.maxX()) - minX, std::ceil(rect.maxY()) - minY};
}

Rect spatialDrawingRect(const Rect& displayFrame, Size canvasSize) {
    const double scale = std::min(canvasSize.width / displayFrame.width(),
                                  canvasSize.height / displayFrame.height());
    const double width = displayFrame.width() * scale;
    const double height = displayFrame.height() * scale;
    return integralRect(
        Rect((canvasSize.width - width) / 2, (canvasSize.height - height) / 2, width, height));
}

Rect mappedWindowRect(const Rect& bounds, const Rect& displayFrame, const Rect& drawingRect) {
    const double sx = drawingRect.width() / displayFrame.width();
    const double sy = drawingRect.height() / displayFrame.height();
    const Rect mapped(drawingRect.minX() + sx * (bounds.minX() - displayFrame.minX()),
                      drawingRect.maxY() - sy * (bounds.maxY() - displayFrame.minY()),
                      sx * bounds.width(), sy * bounds.height());
    // A sliver would grow to a whole pixel when made integral; it is left out as it stands.
    if (mapped.width() <= 0.5 || mapped.height() <= 0.5) {
        return mapped;
    }
    return integralRect(mapped);
}

Rect windowFrame(Size imageSize, int index, int count, Size canvasSize) {
    const double w = canvasSize.width;
    const double h = canvasSize.height;
    Rect slot;
    if (count <= 1) {
        slot = Rect(0.09 * w, 0.11 * h, 0.82 * w, 0.78 * h);
    } else if (count == 2) {
        slot = index == 0 ? Rect(0.08 * w, 0.24 * h, 0.64 * w, 0.64 * h)
                          : Rect(0.28 * w, 0.11 * h, 0.64 * w, 0.64 * h);
    } else if (index == 0) {
        slot = Rect(0.06 * w, 0.18 * h, 0.63 * w, 0.68 * h);
    } else if (index == 1) {
        slot = Rect(0.61 * w, 0.50 * h, 0.34 * w, 0.31 * h);
    } else {
        slot = Rect(0.61 * w, 0.14 * h, 0.34 * w, 0.31 * h);
    }
    const bool usableImage = std::isfinite(imageSize.width) && std::isfinite(imageSize.height) &&
                             imageSize.width > 0 && imageSize.height > 0;
    if (!usableImage) {
        return slot;
    }
    const double scale = std::min(slot.width() / imageSize.width, slot.height() / imageSize.height);
    const double width = imageSize.width * scale;
    const double height = imageSize.height * scale;
    return integralRect(Rect(slot.midX() - width / 2, slot.midY() - height / 2, width, height));
}

void drawAspectFill(QPainter& painter, const QImage& image, const Rect& rect) {
    if (image.width() < 1 || image.height() < 1 || !isFinite(rect)) {
        return;
    }
    const double scale = std::max(rect.width() / image.width(), rect.height() / image.height());
    const double width = image.width() * scale;
    const double height = image.height() * scale;
    const Rect target(rect.midX() - width / 2, rect.midY() - height / 2, width, height);
    painter.drawImage(deviceRect(painter, target), image);
}

void drawFallbackBackground(QPainter& painter, const Rect& rect) {
    painter.save();
    QLinearGradient gradient(devicePoint(painter, rect.minX(), rect.minY()),
                             devicePoint(painter, rect.maxX(), rect.maxY()));
    gradient.setColorAt(0, QColor::fromRgbF(0.18f, 0.24f, 0.31f));
    gradient.setColorAt(0.52, QColor::fromRgbF(0.31f, 0.27f, 0.37f));
    gradient.setColorAt(1, QColor::fromRgbF(0.18f, 0.36f, 0.34f));
    const QRectF area = deviceRect(painter, rect);
    painter.fillRect(area, gradient);
    painter.fillRect(area, QColor::fromRgbF(0, 0, 0, 0.18f));

    // Grain on fixed canvas moduli, so the same rectangle always gets the same dots.
    for (int i = 0; i < 140; ++i) {
        const double x = rect.minX() + (47 * i) % kCanvasWidth;
        const double y = rect.minY() + (83 * i) % kCanvasHeight;
        const auto alpha = static_cast<float>((19 * i) % 45) / 1000.0f;
        painter.fillRect(deviceRect(painter, Rect(x, y, 1, 1)), QColor::fromRgbF(1, 1, 1, alpha));
    }

    const QPointF centre = devicePoint(painter, rect.midX(), rect.midY());
    QRadialGradient vignette(centre, 0.72 * std::max(rect.width(), rect.height()), centre,
                             0.1 * std::min(rect.width(), rect.height()));
    vignette.setColorAt(0, QColor::fromRgbF(0, 0, 0, 0));
    vignette.setColorAt(1, QColor::fromRgbF(0, 0, 0, 0.24f));
    vignette.setSpread(QGradient::PadSpread);
    painter.fillRect(area, vignette);
    painter.restore();
}

} // namespace tessarin::OSDGridWindowPreviewComposer
