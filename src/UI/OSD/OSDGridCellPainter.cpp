#include "UI/OSD/OSDGridCellPainter.h"

#include "UI/OSD/OSDChromeSymbol.h"
#include "UI/OSD/OSDGridCellStyle.h"
#include "UI/OSD/OSDGridImageFill.h"
#include "UI/OSD/OSDGridSoftShadow.h"
#include "UI/OSD/OSDGridTextShadow.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <algorithm>
#include <cmath>

namespace tessarin::OSDGridCellPainter {

namespace {

double shortSide(const Rect& frame) {
    return std::min(frame.width(), frame.height());
}

QColor white(double alpha) {
    return QColor::fromRgbF(1, 1, 1, static_cast<float>(alpha));
}
QColor black(double alpha) {
    return QColor::fromRgbF(0, 0, 0, static_cast<float>(alpha));
}

// Diagonal lines rising to the right across the cell, `step` apart, up to `endX`.
QPainterPath stripes(const OSDGridCanvas& canvas, const Rect& frame, double step, double endX) {
    QPainterPath path;
    for (double x = frame.minX() - frame.height(); x < endX; x += step) {
        path.moveTo(canvas.point({x, frame.minY()}));
        path.lineTo(canvas.point({x + frame.height(), frame.maxY()}));
    }
    return path;
}

void drawDashedBorder(const OSDGridCanvas& canvas, const Rect& frame, Kind kind,
                      Appearance appearance) {
    const double radius = std::max(OSDGridCellStyle::cornerRadius(frame, kind) - 0.75, 0.0);
    QPen pen(OSDGridCellStyle::emptyPlaceholderBorderColor(appearance), 1.2);
    // Qt counts dashes in pen widths.
    pen.setDashPattern({4 / 1.2, 3 / 1.2});
    pen.setDashOffset(0);
    canvas.painter().strokePath(canvas.roundedRect(frame.insetBy(0.75, 0.75), radius), pen);
}

// The host's crossed-out eye in white at 0.72 alpha, filling `square`; nothing without it.
void drawObscuredSymbol(const OSDGridCanvas& canvas, const Rect& square) {
    const auto symbol = OSDChromeSymbol::tinted(OSDChromeSymbol::obscured, white(0.72));
    if (!symbol) {
        return;
    }
    QPainter& painter = canvas.painter();
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(canvas.rect(square), *symbol);
    painter.restore();
}

} // namespace

void drawImage(const OSDGridCanvas& canvas, const QImage& image, const Rect& frame, Kind kind) {
    if (image.isNull()) {
        return;
    }
    const Rect fit = OSDGridCellStyle::iconFrame(
        {static_cast<double>(image.width()), static_cast<double>(image.height())}, frame);
    const bool isIcon = kind == OSDGridCellAppearance::Kind::inactiveIcon ||
                        kind == OSDGridCellAppearance::Kind::activeIcon;
    const double zoom = isIcon ? 1.25 : 1.0;
    const Rect target{frame.midX() - fit.width() * zoom / 2, frame.midY() - fit.height() * zoom / 2,
                      fit.width() * zoom, fit.height() * zoom};
    fillPathWithImage(canvas.painter(),
                      canvas.roundedRect(frame, OSDGridCellStyle::cornerRadius(frame, kind)), image,
                      canvas.rect(target));
}

void drawRoundedFill(const OSDGridCanvas& canvas, const Rect& frame, Kind kind, QColor color) {
    canvas.painter().fillPath(
        canvas.roundedRect(frame, OSDGridCellStyle::cornerRadius(frame, kind)), color);
}

void drawEmptyPlaceholder(const OSDGridCanvas& canvas, const Rect& frame, Kind kind,
                          Appearance appearance) {
    QPainter& painter = canvas.painter();
    const QPainterPath path =
        canvas.roundedRect(frame, OSDGridCellStyle::cornerRadius(frame, kind));
    painter.fillPath(path, OSDGridCellStyle::emptyPlaceholderFillColor(appearance));
    painter.save();
    painter.setClipPath(path);
    const double step = std::max(shortSide(frame) * 0.16, 8.0);
    painter.strokePath(stripes(canvas, frame, step, frame.maxX()),
                       QPen(OSDGridCellStyle::emptyPlaceholderStripeColor(appearance), 1.2));
    painter.restore();
    drawDashedBorder(canvas, frame, kind, appearance);
}

void drawVirtualDestination(const OSDGridCanvas& canvas, const Rect& frame, Kind kind,
                            Appearance appearance) {
    drawDashedBorder(canvas, frame, kind, appearance);
}

void drawObscuredFill(const OSDGridCanvas& canvas, const Rect& frame, Kind kind) {
    QPainter& painter = canvas.painter();
    const QPainterPath path =
        canvas.roundedRect(frame, OSDGridCellStyle::cornerRadius(frame, kind));
    painter.save();
    painter.setClipPath(path);
    painter.fillPath(path, QColor::fromRgbF(0.3f, 0.3f, 0.3f, 0.96f));
    QLinearGradient sheen(canvas.point({frame.midX(), frame.maxY()}),
                          canvas.point({frame.midX(), frame.minY()}));
    sheen.setColorAt(0, white(0.16));
    sheen.setColorAt(0.5, white(0.04));
    sheen.setColorAt(1, black(0.1));
    painter.fillPath(path, sheen);
    const double step = std::max(shortSide(frame) * 0.18, 10.0);
    painter.strokePath(stripes(canvas, frame, step, frame.maxX() + frame.height()),
                       QPen(white(0.08), 1));
    const double side = shortSide(frame) * 0.32;
    if (side > 8) {
        drawObscuredSymbol(canvas, {frame.midX() - side / 2, frame.midY() - side / 2, side, side});
    }
    painter.restore();
}

void drawLowerScrim(const OSDGridCanvas& canvas, const Rect& frame, Kind kind, int previewTint) {
    if (frame.height() <= 0) {
        return;
    }
    const double strength = std::clamp(previewTint / 100.0, 0.34, 0.54);
    const double bandTop = frame.minY() + 0.62 * frame.height();
    QLinearGradient scrim(canvas.point({frame.midX(), frame.minY()}),
                          canvas.point({frame.midX(), bandTop}));
    scrim.setColorAt(0, black(strength));
    scrim.setColorAt(0.46, black(strength * 0.72));
    scrim.setColorAt(1, black(0));
    QPainter& painter = canvas.painter();
    // A rectangular clip to the band is cheap; the rounded shape comes from the fill itself.
    painter.save();
    painter.setClipRect(
        canvas.rect({frame.minX(), frame.minY(), frame.width(), bandTop - frame.minY()}));
    painter.fillPath(canvas.roundedRect(frame, OSDGridCellStyle::cornerRadius(frame, kind)), scrim);
    painter.restore();
}

void drawCellInnerStroke(const OSDGridCanvas& canvas, const Rect& frame, Kind kind) {
    const double radius = std::max(OSDGridCellStyle::cornerRadius(frame, kind) - 0.5, 0.0);
    canvas.painter().strokePath(canvas.roundedRect(frame.insetBy(0.5, 0.5), radius),
                                QPen(white(0.12), 1));
}

void drawActiveEmphasis(const OSDGridCanvas& canvas, const Rect& frame, Kind kind,
                        const OSDGridAppearanceSettings& settings) {
    const double radius = OSDGridCellStyle::cornerRadius(frame, kind);
    const QPainterPath path = canvas.roundedRect(frame, radius);
    QColor ring = settings.activeColor.color();
    ring.setAlphaF(0.78f);
    const int spread = settings.activeSpaceGlowSpread.rawValue;
    const int glowOpacity = settings.activeSpaceGlowOpacity.rawValue;
    const QPen pen(ring, settings.activeSpaceBorderWidth.rawValue);
    if (spread >= 1 && glowOpacity >= 1) {
        QColor glow = settings.activeColor.color();
        glow.setAlphaF(static_cast<float>(glowOpacity / 100.0 * 0.32));
        drawSoftShadow(canvas.painter(), canvas.rect(frame), radius, glow, spread, {0, 0}, false);
        canvas.painter().strokePath(path, pen);
    }
    // Once more without the glow, so the ring stays crisp over it.
    canvas.painter().strokePath(path, pen);
}

Rect titleFrame(const Rect& frame, int64_t badgeCount, double pointSize) {
    const double m = shortSide(frame);
    const double left = frame.minX() + m * 0.058;
    double right = frame.maxX() - m * 0.058;
    const std::vector<Rect> badges =
        OSDGridCellStyle::screenshotBadgeStackFrames(frame, badgeCount);
    if (!badges.empty()) {
        right = std::min(right, badges.front().minX() - m * 0.055);
    }
    const double width = std::max(right - left, 0.0);
    if (width <= 0) {
        return {left, frame.minY(), 0, 0};
    }
    const double bottom = frame.minY() + m * 0.078;
    const double height = std::min(std::ceil(pointSize * 1.22), frame.height() - m * 0.078);
    const double minX = std::floor(left);
    const double minY = std::floor(bottom);
    return {minX, minY, std::ceil(left + width) - minX, std::ceil(bottom + height) - minY};
}

namespace {

// Behind the title, as wide as its text and a little more.
void drawTitlePlate(QPainter& painter, const QRectF& target, double textWidth,
                    const OSDGridCellTitleAttributes& attributes) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(attributes.plateColor);
    painter.setRenderHint(QPainter::Antialiasing);
    const double pad = attributes.pointSize * 0.3;
    painter.drawRoundedRect(
        QRectF(target.left() - pad, target.top(), textWidth + 2 * pad, target.height()), pad, pad);
}

} // namespace

void drawTitle(const OSDGridCanvas& canvas, const std::string& title, const Rect& frame,
               int64_t badgeCount, const OSDGridCellTitleAttributes& attributes) {
    const Rect box = titleFrame(frame, badgeCount, attributes.pointSize);
    if (box.width() <= 0 || box.height() <= 0) {
        return;
    }
    QPainter& painter = canvas.painter();
    painter.save();
    painter.setFont(attributes.font);
    const QRectF target = canvas.rect(box);
    const QFontMetricsF metrics(attributes.font, painter.device());
    const QString text =
        metrics.elidedText(QString::fromStdString(title), Qt::ElideRight, target.width());
    const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine;
    if (attributes.plateColor.alpha() > 0 && !text.isEmpty()) {
        drawTitlePlate(painter, target, metrics.horizontalAdvance(text), attributes);
    }
    drawTextShadow(painter, target, flags, text, attributes.font, attributes.shadowColor,
                   attributes.shadowBlur,
                   {attributes.shadowOffset.x(), -attributes.shadowOffset.y()});
    painter.setPen(attributes.color);
    painter.drawText(target, flags, text);
    painter.restore();
}

void drawAddSpaceControl(const OSDGridCanvas& canvas, const Rect& buttonFrame) {
    const double side = buttonFrame.width();
    QPainterPath oval;
    oval.addEllipse(canvas.rect(buttonFrame));
    QPainter& painter = canvas.painter();
    drawSoftShadow(painter, canvas.rect(buttonFrame), side / 2, black(0.24), 6, {0, 1}, true);
    painter.fillPath(oval, white(0.18));
    painter.strokePath(oval, QPen(white(0.48), 1));
    const double half = side * 0.42 / 2;
    const QPointF centre = canvas.point(buttonFrame.center());
    painter.save();
    painter.setPen(QPen(white(0.86), std::max(side * 0.08, 2.0), Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(centre - QPointF(half, 0), centre + QPointF(half, 0));
    painter.drawLine(centre - QPointF(0, half), centre + QPointF(0, half));
    painter.restore();
}

void drawRemoveSpaceControl(const OSDGridCanvas& canvas, const Rect& buttonFrame) {
    QPainterPath oval;
    oval.addEllipse(canvas.rect(buttonFrame));
    QPainter& painter = canvas.painter();
    const double side = buttonFrame.width();
    drawSoftShadow(painter, canvas.rect(buttonFrame), side / 2, black(0.32), 5, {0, 1}, true);
    painter.fillPath(oval, black(0.54));
    painter.strokePath(oval, QPen(white(0.28), 1));
    const double k = side * 0.32;
    const Rect& b = buttonFrame;
    painter.save();
    painter.setPen(QPen(white(0.9), std::max(side * 0.08, 1.8), Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(canvas.point({b.minX() + k, b.minY() + k}),
                     canvas.point({b.maxX() - k, b.maxY() - k}));
    painter.drawLine(canvas.point({b.minX() + k, b.maxY() - k}),
                     canvas.point({b.maxX() - k, b.minY() + k}));
    painter.restore();
}

} // namespace tessarin::OSDGridCellPainter
