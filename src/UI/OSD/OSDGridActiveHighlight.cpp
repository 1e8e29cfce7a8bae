#include "UI/OSD/OSDGridActiveHighlight.h"

#include "UI/OSD/OSDGridSoftShadow.h"

namespace tessarin {

Rect OSDGridActiveHighlight::presentedFrame(double now) const {
    if (!positionAnimation || !positionAnimation->isRunning(now)) {
        return frame;
    }
    const Point centre = positionAnimation->valueAt(now);
    return {centre.x - frame.width() / 2, centre.y - frame.height() / 2, frame.width(),
            frame.height()};
}

float OSDGridActiveHighlight::presentedOpacity(double now) const {
    if (!opacityAnimation || !opacityAnimation->isRunning(now)) {
        return opacity;
    }
    return opacityAnimation->valueAt(now);
}

void OSDGridActiveHighlight::paint(const OSDGridCanvas& canvas, double now) const {
    if (hidden) {
        return;
    }
    const float shown = presentedOpacity(now);
    if (shown <= 0) {
        return;
    }
    QPainter& painter = canvas.painter();
    painter.save();
    painter.setOpacity(painter.opacity() * shown);
    painter.setRenderHint(QPainter::Antialiasing);
    const Rect at = presentedFrame(now);
    const QPainterPath path = canvas.roundedRect(at, cornerRadius);
    if (shadowOpacity > 0) {
        QColor glow = shadowColor;
        glow.setAlphaF(glow.alphaF() * shadowOpacity);
        drawSoftShadow(painter, canvas.rect(at), cornerRadius, glow, shadowRadius, {0, 0}, false);
    }
    painter.fillPath(path, backgroundColor);
    if (showsTint) {
        painter.fillPath(path, tintColor);
    }
    if (borderWidth > 0) {
        // A layer's border lies inside its bounds.
        const double half = borderWidth / 2;
        painter.strokePath(
            canvas.roundedRect(at.insetBy(half, half), std::max(cornerRadius - half, 0.0)),
            QPen(borderColor, borderWidth));
    }
    painter.restore();
}

} // namespace tessarin
