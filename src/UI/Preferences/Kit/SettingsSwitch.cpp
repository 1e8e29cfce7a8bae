#include "UI/Preferences/Kit/SettingsSwitch.h"

#include "UI/Preferences/Kit/SettingsPageLayout.h"

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

void SettingsSwitch::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const Appearance appearance = SettingsPageLayout::effectiveAppearance();
    const QRectF track = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const qreal radius = track.height() / 2;
    QColor fill =
        isChecked() ? QColor(0, 122, 255)
                    : SettingsPageLayout::resolvedColor(SettingsSystemColor::separator, appearance);
    if (!isEnabled()) {
        fill.setAlphaF(fill.alphaF() * 0.5f);
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    painter.drawRoundedRect(track, radius, radius);
    const qreal knob = track.height() - 2;
    const qreal x = isChecked() ? track.right() - knob - 1 : track.left() + 1;
    painter.setBrush(QColor(255, 255, 255));
    painter.drawEllipse(QRectF(x, track.top() + 1, knob, knob));
}

} // namespace tessarin
