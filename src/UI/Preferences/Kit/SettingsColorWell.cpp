#include "UI/Preferences/Kit/SettingsColorWell.h"

#include "UI/Preferences/Kit/SettingsPageLayout.h"
#include "UI/Preferences/Kit/SettingsSwitch.h"

#include <QColorDialog>
#include <QPainter>

namespace tessarin {

SettingsColorWell::SettingsColorWell(QWidget* parent) : QAbstractButton(parent) {
    QObject::connect(this, &QAbstractButton::clicked, this, [this] { openPanel(); });
}

void SettingsColorWell::setColor(const QColor& color) {
    color_ = color;
    update();
}

void SettingsColorWell::openPanel() {
    if (panel_) {
        panel_->raise();
        return;
    }
    panel_ = new QColorDialog(color_, window());
    panel_->setOption(QColorDialog::ShowAlphaChannel);
    panel_->setWindowModality(Qt::WindowModal);
    panel_->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(panel_, &QColorDialog::currentColorChanged, this, [this](const QColor& c) {
        setColor(c);
        if (onColorChanged) {
            onColorChanged(c);
        }
    });
    panel_->open();
}

void SettingsColorWell::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const Appearance appearance = SettingsPageLayout::effectiveAppearance();
    const QRectF bounds = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    // Its border shows the well whatever colour it holds, as plainly as an off switch; a
    // disabled well keeps most of its border, so it still shows on a dark card, and fades its
    // colour, as a disabled switch does.
    painter.setOpacity(isEnabled() ? 1.0 : disabledBorderOpacity);
    painter.setPen(SettingsSwitch::trackColor(false));
    painter.setBrush(
        SettingsPageLayout::resolvedColor(SettingsSystemColor::controlBackground, appearance));
    painter.drawRoundedRect(bounds, 5, 5);
    painter.setOpacity(isEnabled() ? 1.0 : SettingsSwitch::disabledOpacity * 0.6);
    painter.setPen(Qt::NoPen);
    painter.setBrush(color_);
    painter.drawRoundedRect(bounds.adjusted(4, 4, -4, -4), 3, 3);
}

} // namespace tessarin
