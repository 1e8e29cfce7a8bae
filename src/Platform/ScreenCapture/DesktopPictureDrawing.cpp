#include "Platform/ScreenCapture/DesktopPictureDrawing.h"

#include "Platform/ScreenCapture/CaptureContent.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace tessarin::DesktopPictureDrawing {

namespace {

// The base colour moved in hue, saturation and value, each kept in range.
QColor shade(const QColor& base, int hueShift, double saturation, int valueShift) {
    const int hue = base.hsvHue() < 0 ? 210 : (base.hsvHue() + hueShift + 360) % 360;
    const int sat = std::clamp(static_cast<int>(base.hsvSaturation() * saturation), 0, 255);
    // Never quite black: that is how a capture without a picture looks.
    const int value = std::clamp(base.value() + valueShift, 24, 255);
    return QColor::fromHsv(hue, sat, value);
}

// A few numbers in 0...1 taken from the colour, so each colour has its own hills.
double phase(QRgb rgb, int which) {
    const uint32_t mixed = (rgb & 0xffffff) * 2654435761u + static_cast<uint32_t>(which) * 40503u;
    return ((mixed >> 8) % 1000) / 1000.0;
}

void paintSky(QPainter& painter, const QColor& base, double width, double height) {
    QLinearGradient sky(0, 0, 0, height);
    sky.setColorAt(0.0, shade(base, -12, 0.9, -30));
    sky.setColorAt(0.55, shade(base, 8, 0.55, 60));
    sky.setColorAt(1.0, shade(base, 28, 0.35, 95));
    painter.fillRect(QRectF(0, 0, width, height), sky);

    const double reach = std::max(width, height) * 0.55;
    QRadialGradient glow(QPointF(width * 0.72, height * 0.3), reach);
    glow.setColorAt(0.0, QColor(255, 250, 235, 150));
    glow.setColorAt(0.25, QColor(255, 245, 225, 60));
    glow.setColorAt(1.0, QColor(255, 245, 225, 0));
    painter.fillRect(QRectF(0, 0, width, height), glow);
}

// A ridge across the whole width whose crest waves around `crest` (a fraction of the height).
QPainterPath ridge(double width, double height, double crest, double swell, double offset) {
    constexpr int kSteps = 48;
    QPainterPath path(QPointF(0, height));
    for (int step = 0; step <= kSteps; ++step) {
        const double u = static_cast<double>(step) / kSteps;
        const double angle = 2 * std::numbers::pi * (u * 1.3 + offset);
        const double wave = std::sin(angle) * 0.65 + std::sin(angle * 2.3 + offset * 5) * 0.35;
        path.lineTo(u * width, height * (crest - swell * wave));
    }
    path.lineTo(width, height);
    path.closeSubpath();
    return path;
}

void paintHills(QPainter& painter, const QColor& base, QRgb rgb, double width, double height) {
    struct Layer {
        double crest, swell;
        int hueShift;
        double saturation;
        int valueShift;
    };
    // Far to near: the far ones fade into the sky, the near ones are deeper in colour.
    const Layer layers[] = {
        {0.56, 0.08, 18, 0.45, 40}, {0.68, 0.07, 6, 0.8, -5}, {0.82, 0.06, -10, 1.0, -55}};
    int index = 0;
    for (const Layer& layer : layers) {
        const QColor top = shade(base, layer.hueShift, layer.saturation, layer.valueShift);
        QLinearGradient fill(0, height * (layer.crest - layer.swell), 0, height);
        fill.setColorAt(0.0, top);
        fill.setColorAt(1.0, top.value() > 40 ? top.darker(135) : top);
        painter.setPen(Qt::NoPen);
        painter.setBrush(fill);
        painter.drawPath(ridge(width, height, layer.crest, layer.swell, phase(rgb, index++)));
    }
}

} // namespace

QImage draw(const QColor& base, int width, int height) {
    QImage image(width, height, CaptureContent::imageFormat);
    image.fill(base);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    paintSky(painter, base, width, height);
    paintHills(painter, base, base.rgb(), width, height);
    painter.end();
    return image;
}

} // namespace tessarin::DesktopPictureDrawing
