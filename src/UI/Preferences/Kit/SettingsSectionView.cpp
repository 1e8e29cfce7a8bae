#include "UI/Preferences/Kit/SettingsSectionView.h"

#include "UI/Preferences/Kit/SettingsCardView.h"
#include "UI/Preferences/Kit/SettingsPageLayout.h"

#include <QLabel>
#include <QVBoxLayout>

namespace tessarin {

SettingsSectionView::SettingsSectionView(const QString& title, const QString& titleIdentifier,
                                         const std::vector<QWidget*>& rows, QWidget* parent)
    : QWidget(parent),
      titleLabel_(SettingsPageLayout::makeLabel(title, SettingsPageLayout::sectionHeaderFont())),
      card_(new SettingsCardView(rows)), appearanceObserver_([this] { applyAppearance(); }) {
    titleLabel_->setObjectName(titleIdentifier);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(SettingsPageLayout::sectionTitleGap);
    layout->addWidget(titleLabel_, 0, Qt::AlignLeft);
    layout->addWidget(card_);
    applyAppearance();
}

void SettingsSectionView::applyAppearance() {
    SettingsPageLayout::setTextColor(
        *titleLabel_, SettingsPageLayout::resolvedColor(SettingsSystemColor::label,
                                                        SettingsPageLayout::effectiveAppearance()));
}

} // namespace tessarin
