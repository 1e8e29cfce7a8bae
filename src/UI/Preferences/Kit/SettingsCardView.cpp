#include "UI/Preferences/Kit/SettingsCardView.h"

#include "UI/Preferences/Kit/SettingsPageLayout.h"
#include "UI/Preferences/Kit/SettingsSeparatorView.h"

#include <QPainter>
#include <QVBoxLayout>

namespace tessarin {

SettingsCardView::SettingsCardView(const std::vector<QWidget*>& rows, QWidget* parent)
    : QWidget(parent), stackView_(new QVBoxLayout(this)),
      appearanceObserver_([this] { applyAppearance(); }) {
    stackView_->setContentsMargins(0, 0, 0, 0);
    stackView_->setSpacing(0);
    for (std::size_t index = 0; index < rows.size(); ++index) {
        stackView_->addWidget(rows[index]);
        if (index + 1 < rows.size()) {
            stackView_->addWidget(new SettingsSeparatorView(this));
        }
    }
    applyAppearance();
}

void SettingsCardView::applyAppearance() {
    const Appearance appearance = SettingsPageLayout::effectiveAppearance();
    backgroundColor_ = SettingsPageLayout::cardBackgroundColor(appearance);
    borderColor_ = SettingsPageLayout::resolvedColor(SettingsSystemColor::separator, appearance);
    update();
}

void SettingsCardView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal radius = SettingsPageLayout::cardCornerRadius;
    painter.setPen(QPen(borderColor_, 1));
    painter.setBrush(backgroundColor_);
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
}

} // namespace tessarin
