#include "UI/Preferences/Kit/SettingsSwitch.h"

#include <QPainter>
#include <QPainterPath>

namespace tessarin {

SettingsSwitch::SettingsSwitch(QWidget* parent) : QAbstractButton(parent) {
    setCheckable(true);
    setFocusPolicy(Qt::StrongFocus);
    setFixedSize(size_);
}

void SettingsSwitch::setMiniControlSize() {
    size_ = QSize(26, 15);
    setFixedSize(size_);
}

QSize SettingsSwitch::sizeHint() const {
    return size_;
}

QColor SettingsSwitch::trackColor(bool on) {
    // Both stand out at least 3 : 1 from the cards and windows of either appearance, so an off
    // switch shows as plainly as an on one.
    return on ? QColor(0, 122, 255) : QColor(132, 132, 138);
}

void SettingsSwitch::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    // A disabled switch fades into its card: still there, plainly not at hand.
    if (!isEnabled()) {
        painter.setOpacity(disabledOpacity);
    }
    const QRectF track = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const qreal radius = track.height() / 2;
    painter.setPen(Qt::NoPen);
    painter.setBrush(trackColor(isChecked()));
    painter.drawRoundedRect(track, radius, radius);
    const qreal knob = track.height() - 2;
    const qreal x = isChecked() ? track.right() - knob - 1 : track.left() + 1;
    painter.setBrush(QColor(255, 255, 255));
    painter.drawEllipse(QRectF(x, track.top() + 1, knob, knob));
}

} // namespace tessarin
