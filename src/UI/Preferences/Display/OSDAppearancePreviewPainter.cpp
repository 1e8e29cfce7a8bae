#include "UI/Preferences/Display/OSDAppearancePreviewPainter.h"

#include "UI/Preferences/Kit/SystemColours.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <array>

namespace tessarin {

namespace {

QColor rgb(double r, double g, double b) {
    return QColor::fromRgbF(static_cast<float>(r), static_cast<float>(g), static_cast<float>(b));
}

QColor white(double level, double alpha = 1.0) {
    return QColor::fromRgbF(static_cast<float>(level), static_cast<float>(level),
                            static_cast<float>(level), static_cast<float>(alpha));
}

void fillPolygon(QPainter& painter, const QPolygonF& points, const QColor& colour) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawPolygon(points);
}

void drawWallpaper(QPainter& painter, bool dark, const QRectF& r) {
    const double w = r.width();
    const double left = r.left();
    const double right = r.right();
    const double top = r.top();
    const double bottom = r.bottom();
    painter.fillRect(r, dark ? rgb(0.05, 0.11, 0.24) : rgb(0.96, 0.82, 0.60));
    fillPolygon(painter,
                {{left, bottom}, {left + 0.48 * w, bottom}, {left + 0.16 * w, top}, {left, top}},
                dark ? rgb(0.13, 0.08, 0.50) : rgb(0.00, 0.39, 0.84));
    fillPolygon(painter, {{right, top}, {right, bottom}, {left + 0.34 * w, bottom}},
                dark ? rgb(0.05, 0.56, 0.63) : rgb(0.96, 0.55, 0.24));
    fillPolygon(painter,
                {{left + 0.18 * w, bottom}, {left + 0.70 * w, bottom}, {left + 0.38 * w, top}},
                dark ? rgb(0.00, 0.31, 0.80) : rgb(0.07, 0.56, 0.94));
}

void drawRounded(QPainter& painter, const QRectF& rect, double radius, const QColor& fill,
                 const QColor& stroke, double lineWidth) {
    painter.setBrush(fill);
    painter.setPen(lineWidth > 0 ? QPen(stroke, lineWidth) : QPen(Qt::NoPen));
    painter.drawRoundedRect(rect, radius, radius);
}

void drawChrome(QPainter& painter, bool dark, const QRectF& r) {
    const double w = r.width();
    const double h = r.height();
    const QRectF bar(r.left() + 6, r.top() + 8, 0.5 * w, 15);
    drawRounded(painter, bar, 5, white(dark ? 0.13 : 0.92), white(0, dark ? 0.42 : 0.12), 0.6);
    drawRounded(painter, bar.adjusted(4, 4, -4, -4), 3, systemBlue, Qt::transparent, 0);
    const QRectF window(r.left() + 0.44 * w, r.top() + 0.40 * h, 0.5 * w, 0.52 * h);
    drawRounded(painter, window, 3, white(dark ? 0.11 : 0.95), white(0, dark ? 0.48 : 0.10), 0.6);
    const std::array colours{systemRed, systemYellow, systemGreen};
    const std::array offsets{8.0, 20.0, 32.0};
    painter.setPen(Qt::NoPen);
    for (std::size_t i = 0; i < colours.size(); ++i) {
        painter.setBrush(colours[i]);
        painter.drawEllipse(QPointF(window.left() + offsets[i], window.top() + 10), 3.5, 3.5);
    }
}

void drawScene(QPainter& painter, bool dark, const QRectF& r) {
    drawWallpaper(painter, dark, r);
    drawChrome(painter, dark, r);
}

void strokeBorder(QPainter& painter, const QRectF& r, double alpha) {
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(white(0, alpha), 1));
    painter.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), 8, 8);
}

} // namespace

void drawOSDAppearancePreview(QPainter& painter, OSDAppearanceMode mode, const QRectF& preview) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath clip;
    clip.addRoundedRect(preview, 8, 8);
    painter.setClipPath(clip);
    if (mode == OSDAppearanceMode::automatic) {
        const double middle = preview.center().x();
        painter.setClipRect(
            QRectF(preview.left(), preview.top(), middle - preview.left(), preview.height()),
            Qt::IntersectClip);
        drawScene(painter, false, preview);
        painter.setClipPath(clip);
        painter.setClipRect(
            QRectF(middle, preview.top(), preview.right() - middle, preview.height()),
            Qt::IntersectClip);
        drawScene(painter, true, preview);
        painter.setClipPath(clip);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(white(0, 0.22), 1));
        painter.drawRect(QRectF(middle - 0.5, preview.top(), 1, preview.height()));
    } else {
        drawScene(painter, mode == OSDAppearanceMode::dark, preview);
    }
    painter.setClipping(false);
    strokeBorder(painter, preview, mode == OSDAppearanceMode::light ? 0.12 : 0.32);
    painter.restore();
}

} // namespace tessarin
