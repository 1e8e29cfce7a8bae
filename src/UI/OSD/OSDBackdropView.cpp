#include "UI/OSD/OSDBackdropView.h"

#include <QPainter>
#include <QPainterPath>

namespace tessarin {

OSDBackdropView::OSDBackdropView(QWidget* parent) : QWidget(parent) {}

void OSDBackdropView::setFill(const QColor& fill) {
    fill_ = fill;
    update();
}

void OSDBackdropView::setOpacity(double opacity) {
    opacity_ = opacity;
    update();
}

void OSDBackdropView::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.setOpacity(opacity_);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF bounds = QRectF(rect()).adjusted(borderWidth / 2, borderWidth / 2,
                                                  -borderWidth / 2, -borderWidth / 2);
    QPainterPath shape;
    shape.addRoundedRect(bounds, cornerRadius, cornerRadius);
    painter.fillPath(shape, fill_);
    QColor rim(Qt::white);
    rim.setAlphaF(0.14F);
    painter.setPen(QPen(rim, borderWidth));
    painter.drawPath(shape);
}

} // namespace tessarin
