#include "UI/Preferences/Kit/SettingsCheckBox.h"

#include "UI/Preferences/Kit/SettingsPageLayout.h"
#include "UI/Preferences/Kit/SettingsSwitch.h"

#include <QPainter>
#include <QPainterPath>
#include <QStyleOptionButton>

namespace tessarin {

SettingsCheckBox::SettingsCheckBox(QWidget* parent) : QCheckBox(parent) {}

void SettingsCheckBox::paintEvent(QPaintEvent*) {
    QStyleOptionButton option;
    initStyleOption(&option);
    QPainter painter(this);
    if (!option.text.isEmpty()) {
        // The title stands beside the box, not under it.
        QStyleOptionButton label = option;
        label.rect = style()->subElementRect(QStyle::SE_CheckBoxContents, &option, this);
        style()->drawControl(QStyle::CE_CheckBoxLabel, &label, &painter, this);
    }
    painter.setRenderHint(QPainter::Antialiasing);
    if (!isEnabled()) {
        painter.setOpacity(SettingsSwitch::disabledOpacity);
    }
    const QRectF box = QRectF(style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, this))
                           .adjusted(0.5, 0.5, -0.5, -0.5);
    const bool checked = checkState() != Qt::Unchecked;
    const QColor accent = SettingsSwitch::trackColor(true);
    const Appearance appearance = SettingsPageLayout::effectiveAppearance();
    painter.setPen(QPen(checked || hasFocus() ? accent : SettingsSwitch::trackColor(false), 1));
    painter.setBrush(checked ? accent
                             : SettingsPageLayout::resolvedColor(
                                   SettingsSystemColor::controlBackground, appearance));
    painter.drawRoundedRect(box, 3, 3);
    if (!checked) {
        return;
    }
    QPainterPath mark;
    if (checkState() == Qt::PartiallyChecked) {
        mark.moveTo(box.left() + box.width() * 0.25, box.center().y());
        mark.lineTo(box.right() - box.width() * 0.25, box.center().y());
    } else {
        mark.moveTo(box.left() + box.width() * 0.22, box.top() + box.height() * 0.52);
        mark.lineTo(box.left() + box.width() * 0.42, box.top() + box.height() * 0.72);
        mark.lineTo(box.left() + box.width() * 0.78, box.top() + box.height() * 0.28);
    }
    painter.setPen(QPen(Qt::white, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(mark);
}

} // namespace tessarin
