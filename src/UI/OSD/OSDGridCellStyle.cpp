#include "UI/OSD/OSDGridCellStyle.h"

#include "UI/OSD/OSDGridImageFill.h"
#include "UI/OSD/OSDGridSoftShadow.h"

#include <algorithm>

namespace tessarin::OSDGridCellStyle {

namespace {

QColor withAlpha(QColor color, double alpha) {
    color.setAlphaF(static_cast<float>(alpha));
    return color;
}

bool isScreenshot(std::optional<OSDGridCellAppearance::Kind> kind) {
    return kind == OSDGridCellAppearance::Kind::inactiveScreenshot ||
           kind == OSDGridCellAppearance::Kind::activeScreenshot;
}

} // namespace

QColor labelColor(Appearance appearance) {
    return appearance == Appearance::dark ? QColor(255, 255, 255) : QColor(0, 0, 0);
}

QColor placeholderFillColor() {
    static const QColor color = QColor::fromRgbF(0.42f, 0.42f, 0.42f, 1.0f);
    return color;
}

QColor activeFillColor() {
    return placeholderFillColor();
}

QColor emptyPlaceholderFillColor(Appearance appearance) {
    return withAlpha(labelColor(appearance), 0.08);
}

QColor emptyPlaceholderStripeColor(Appearance appearance) {
    return withAlpha(labelColor(appearance), 0.16);
}

QColor emptyPlaceholderBorderColor(Appearance appearance) {
    return withAlpha(labelColor(appearance), 0.42);
}

QColor activeTintColor(Appearance appearance) {
    return withAlpha(labelColor(appearance), 0.22);
}

QColor strokeColor(Appearance appearance) {
    return withAlpha(labelColor(appearance), 0.9);
}

QColor screenshotBadgeBackgroundColor() {
    return QColor::fromRgbF(0, 0, 0, 0.2f);
}

QColor screenshotBadgeStrokeColor() {
    return QColor::fromRgbF(1, 1, 1, 0.13f);
}

double cornerRadius(const Rect& frame, std::optional<OSDGridCellAppearance::Kind> kind) {
    const double factor = isScreenshot(kind) ? 0.075 : 0.09;
    return std::clamp(std::min(frame.width(), frame.height()) * factor, 8.0, 12.0);
}

Rect iconFrame(Size size, const Rect& rect) {
    if (size.width <= 0 || size.height <= 0 || rect.width() <= 0 || rect.height() <= 0) {
        return rect;
    }
    const double scale = std::max(rect.width() / size.width, rect.height() / size.height);
    const double width = size.width * scale;
    const double height = size.height * scale;
    return {rect.midX() - width / 2, rect.midY() - height / 2, width, height};
}

std::vector<Rect> screenshotBadgeStackFrames(const Rect& cellFrame, int64_t count) {
    if (count < 1) {
        return {};
    }
    const int64_t n = std::min<int64_t>(count, 3);
    const double shortSide = std::min(cellFrame.width(), cellFrame.height());
    const double side = std::clamp(shortSide * 0.29, 18.0, 52.0);
    const double inset = shortSide * 0.07;
    const Rect base{cellFrame.maxX() - side - inset, cellFrame.minY() + inset, side, side};
    if (n == 1) {
        return {base};
    }
    const double step = side * 0.46;
    const double firstX = base.maxX() - (side + step * static_cast<double>(n - 1));
    std::vector<Rect> frames;
    for (int64_t i = 0; i < n; ++i) {
        frames.push_back({firstX + step * static_cast<double>(i), base.minY(), side, side});
    }
    return frames;
}

void drawScreenshotBadge(const QImage& image, const Rect& badgeFrame, const OSDGridCanvas& canvas) {
    QPainter& painter = canvas.painter();
    const double radius = std::min(badgeFrame.width(), badgeFrame.height()) * 0.26;
    const QPainterPath path = canvas.roundedRect(badgeFrame, radius);
    drawSoftShadow(painter, canvas.rect(badgeFrame), radius, QColor::fromRgbF(0, 0, 0, 0.28f), 5,
                   {0, 1}, true);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(path, screenshotBadgeBackgroundColor());
    painter.strokePath(path, QPen(screenshotBadgeStrokeColor(), 1));
    const Rect fit = iconFrame(
        {static_cast<double>(image.width()), static_cast<double>(image.height())}, badgeFrame);
    const double width = fit.width() * 1.08;
    const double height = fit.height() * 1.08;
    const Rect imageRect{badgeFrame.midX() - width / 2, badgeFrame.midY() - height / 2, width,
                         height};
    painter.restore();
    fillPathWithImage(painter, path, image, canvas.rect(imageRect));
}

void drawScreenshotBadgeStack(const std::vector<QImage>& images, const Rect& cellFrame,
                              const OSDGridCanvas& canvas) {
    const std::vector<Rect> frames =
        screenshotBadgeStackFrames(cellFrame, static_cast<int64_t>(images.size()));
    const std::size_t count = std::min(frames.size(), images.size());
    for (std::size_t i = count; i-- > 0;) {
        drawScreenshotBadge(images[i], frames[i], canvas);
    }
}

} // namespace tessarin::OSDGridCellStyle
