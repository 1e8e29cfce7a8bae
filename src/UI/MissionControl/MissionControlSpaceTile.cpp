#include "UI/MissionControl/MissionControlSpaceTile.h"

#include <QPainter>
#include <QPainterPath>

namespace tessarin {

MissionControlSpaceTile::MissionControlSpaceTile(QWidget* parent) : QAbstractButton(parent) {
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_Hover);
}

void MissionControlSpaceTile::setPicture(QImage picture) {
    picture_ = std::move(picture);
    update();
}

void MissionControlSpaceTile::setCurrent(bool current) {
    current_ = current;
    update();
}

void MissionControlSpaceTile::setRingColor(const QColor& color) {
    ringColor_ = color;
    update();
}

QSize MissionControlSpaceTile::sizeHint() const {
    return size();
}

// The strip sizes its tiles to the display; any size a picture can be seen at will do.
QSize MissionControlSpaceTile::minimumSizeHint() const {
    return {24, 16};
}

void MissionControlSpaceTile::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    // The ring lies outside the picture, inside the tile.
    const QRectF frame =
        QRectF(rect()).adjusted(ringWidth + 1, ringWidth + 1, -ringWidth - 1, -ringWidth - 1);
    QPainterPath shape;
    shape.addRoundedRect(frame, cornerRadius, cornerRadius);
    painter.save();
    painter.setClipPath(shape);
    if (picture_.isNull()) {
        painter.fillRect(frame, Qt::black);
    } else {
        painter.drawImage(frame, picture_);
    }
    if (isDown() || underMouse()) {
        painter.fillRect(frame, QColor(255, 255, 255, isDown() ? 70 : 40));
    }
    painter.restore();
    if (current_) {
        painter.setPen(QPen(ringColor_, ringWidth));
        painter.setBrush(Qt::NoBrush);
        const double outset = ringWidth / 2.0 + 0.5;
        painter.drawRoundedRect(frame.adjusted(-outset, -outset, outset, outset),
                                cornerRadius + outset, cornerRadius + outset);
    }
}

} // namespace tessarin
