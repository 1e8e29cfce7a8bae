#include "UI/OSD/OSDFooterButton.h"

#include <QPainter>

namespace tessarin {

OSDFooterButton::OSDFooterButton(QWidget* parent) : QToolButton(parent) {
    setAttribute(Qt::WA_Hover);
}

void OSDFooterButton::setLabelColor(const QColor& color) {
    labelColor_ = color;
    update();
}

void OSDFooterButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const bool hovered = isEnabled() && underMouse();
    if (isDown() || hovered) {
        QColor wash = labelColor_;
        wash.setAlphaF(static_cast<float>(isDown() ? pressedOpacity : hoverOpacity));
        painter.setPen(Qt::NoPen);
        painter.setBrush(wash);
        painter.drawRoundedRect(QRectF(rect()), cornerRadius, cornerRadius);
    }
    const QSize size = iconSize().boundedTo(this->size());
    const QRect target(QPoint((width() - size.width()) / 2, (height() - size.height()) / 2), size);
    icon().paint(&painter, target, Qt::AlignCenter, isEnabled() ? QIcon::Normal : QIcon::Disabled);
}

} // namespace tessarin
