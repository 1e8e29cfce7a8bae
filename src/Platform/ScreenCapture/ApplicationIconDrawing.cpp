#include "Platform/ScreenCapture/ApplicationIconDrawing.h"

#include "Platform/ScreenCapture/CaptureContent.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <array>
#include <cmath>
#include <numbers>

namespace tessarin::ApplicationIconDrawing {

namespace {

// Each glyph fills the unit square (0...1 on both axes) around its centre.
QPainterPath ring() {
    QPainterPath path;
    path.addEllipse(QPointF(0.5, 0.5), 0.42, 0.42);
    path.addEllipse(QPointF(0.5, 0.5), 0.24, 0.24);
    return path;
}

QPainterPath play() {
    QPainterPath path(QPointF(0.22, 0.12));
    path.lineTo(0.88, 0.5);
    path.lineTo(0.22, 0.88);
    path.closeSubpath();
    return path;
}

QPainterPath star() {
    QPainterPath path;
    for (int point = 0; point < 10; ++point) {
        const double radius = point % 2 == 0 ? 0.48 : 0.2;
        const double angle = -std::numbers::pi / 2 + point * std::numbers::pi / 5;
        const QPointF at(0.5 + radius * std::cos(angle), 0.54 + radius * std::sin(angle));
        point == 0 ? path.moveTo(at) : path.lineTo(at);
    }
    path.closeSubpath();
    return path;
}

QPainterPath lines() {
    QPainterPath path;
    for (int row = 0; row < 3; ++row) {
        path.addRoundedRect(QRectF(0.1, 0.14 + row * 0.27, row == 2 ? 0.55 : 0.8, 0.16), 0.08,
                            0.08);
    }
    return path;
}

QPainterPath bubble() {
    QPainterPath path;
    path.addRoundedRect(QRectF(0.04, 0.1, 0.92, 0.62), 0.22, 0.22);
    QPainterPath tail(QPointF(0.24, 0.6));
    tail.lineTo(0.16, 0.92);
    tail.lineTo(0.48, 0.66);
    tail.closeSubpath();
    return path.united(tail);
}

QPainterPath page() {
    // A sheet with its top-right corner cut, and the corner folded down beside the cut.
    QPainterPath path(QPointF(0.18, 0.04));
    path.lineTo(0.56, 0.04);
    path.lineTo(0.84, 0.32);
    path.lineTo(0.84, 0.96);
    path.lineTo(0.18, 0.96);
    path.closeSubpath();
    path.moveTo(0.63, 0.05);
    path.lineTo(0.83, 0.25);
    path.lineTo(0.63, 0.25);
    path.closeSubpath();
    return path;
}

QPainterPath drop() {
    QPainterPath path(QPointF(0.5, 0.02));
    path.cubicTo(0.62, 0.28, 0.86, 0.44, 0.86, 0.62);
    path.cubicTo(0.86, 0.84, 0.7, 0.98, 0.5, 0.98);
    path.cubicTo(0.3, 0.98, 0.14, 0.84, 0.14, 0.62);
    path.cubicTo(0.14, 0.44, 0.38, 0.28, 0.5, 0.02);
    return path;
}

QPainterPath glyph(QRgb rgb) {
    using Maker = QPainterPath (*)();
    constexpr std::array<Maker, 7> kGlyphs{ring, play, star, lines, bubble, page, drop};
    // FNV-1a over the three channels: near colours still get different glyphs.
    uint32_t hash = 2166136261u;
    for (const int channel : {qRed(rgb), qGreen(rgb), qBlue(rgb)}) {
        hash = (hash ^ static_cast<uint32_t>(channel)) * 16777619u;
    }
    return kGlyphs[hash % kGlyphs.size()]();
}

QColor lighter(const QColor& base, int by) {
    const int hue = base.hsvHue() < 0 ? 0 : base.hsvHue();
    return QColor::fromHsv(hue, base.hsvSaturation() * 4 / 5, std::min(255, base.value() + by));
}

} // namespace

QImage draw(const QColor& base, int size) {
    QImage image(size, size, CaptureContent::imageFormat);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);

    const double inset = size * 0.06;
    const QRectF body(inset, inset, size - 2 * inset, size - 2 * inset);
    QLinearGradient shading(body.topLeft(), body.bottomLeft());
    shading.setColorAt(0.0, lighter(base, 45));
    shading.setColorAt(1.0, base.darker(125));
    painter.setBrush(shading);
    const double corner = body.width() * 0.225;
    painter.drawRoundedRect(body, corner, corner);

    const double side = body.width() * 0.52;
    const QPointF origin(body.center().x() - side / 2, body.center().y() - side / 2);
    const QPainterPath mark = glyph(base.rgb());
    const auto placed = [&](double drop) {
        QTransform transform;
        transform.translate(origin.x(), origin.y() + drop);
        transform.scale(side, side);
        return transform.map(mark);
    };
    // A soft shadow under the glyph lifts it off the square.
    painter.setBrush(QColor(0, 0, 0, 55));
    painter.drawPath(placed(size * 0.02));
    painter.setBrush(QColor(255, 255, 255, 240));
    painter.drawPath(placed(0));
    painter.end();
    return image;
}

} // namespace tessarin::ApplicationIconDrawing
