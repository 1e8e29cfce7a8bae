#include "UI/Preferences/Kit/SettingsFooterView.h"

#include "UI/Preferences/Kit/SettingsPageLayout.h"

#include <QPainter>

namespace tessarin {

SettingsFooterView::SettingsFooterView(QWidget* parent)
    : QWidget(parent), appearanceObserver_([this] { applyAppearance(); }) {
    applyAppearance();
}

void SettingsFooterView::applyAppearance() {
    backgroundColor_ = SettingsPageLayout::resolvedColor(SettingsSystemColor::windowBackground,
                                                         SettingsPageLayout::effectiveAppearance());
    update();
}

void SettingsFooterView::paintEvent(QPaintEvent*) {
    QPainter(this).fillRect(rect(), backgroundColor_);
}

} // namespace tessarin
