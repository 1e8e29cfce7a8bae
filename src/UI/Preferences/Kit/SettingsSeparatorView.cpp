#include "UI/Preferences/Kit/SettingsSeparatorView.h"

#include "UI/Preferences/Kit/SettingsPageLayout.h"

#include <QPainter>

namespace tessarin {

SettingsSeparatorView::SettingsSeparatorView(QWidget* parent)
    : QWidget(parent), appearanceObserver_([this] { applyAppearance(); }) {
    setFixedHeight(1);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    applyAppearance();
}

void SettingsSeparatorView::applyAppearance() {
    lineColor_ = SettingsPageLayout::resolvedColor(SettingsSystemColor::separator,
                                                   SettingsPageLayout::effectiveAppearance());
    update();
}

void SettingsSeparatorView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int inset = SettingsPageLayout::separatorInset;
    painter.fillRect(QRect(inset, 0, width() - 2 * inset, height()), lineColor_);
}

} // namespace tessarin
