#include "UI/Preferences/Trackpad/TrackpadSystemGestureRequirementRow.h"

#include "UI/Preferences/Kit/SettingsControlShelf.h"
#include "UI/Preferences/Kit/SettingsPageLayout.h"

#include <QGridLayout>
#include <QLabel>

namespace tessarin {

TrackpadSystemGestureRequirementRow::TrackpadSystemGestureRequirementRow(
    const QString& title, const QString& detail, QWidget* statusView, QWidget* openSettingsButton,
    QWidget* parent)
    : QWidget(parent), statusView_(statusView), openSettingsButton_(openSettingsButton),
      appearanceObserver_([this] { applyDetailColor(); }) {
    setObjectName(rowIdentifier);
    QLabel* titleLabel = SettingsPageLayout::makeLabel(title, SettingsPageLayout::rowTitleFont());
    detailLabel_ = SettingsPageLayout::makeLabel(detail, SettingsPageLayout::rowDetailFont());
    detailLabel_->setObjectName(detailIdentifier);
    detailLabel_->setWordWrap(true);
    applyDetailColor();
    statusView_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    openSettingsButton_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(
        SettingsPageLayout::rowHorizontalInset, SettingsPageLayout::rowVerticalInset,
        SettingsPageLayout::rowHorizontalInset, SettingsPageLayout::rowVerticalInset);
    grid->setHorizontalSpacing(SettingsPageLayout::titleControlGap);
    grid->setVerticalSpacing(SettingsPageLayout::titleDetailGap);
    grid->addWidget(titleLabel, 0, 0);
    grid->addWidget(statusView_, 0, 1, Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(detailLabel_, 1, 0, 1, 2);
    grid->setRowMinimumHeight(2, 8 - SettingsPageLayout::titleDetailGap);
    grid->addWidget(openSettingsButton_, 3, 0, 1, 2, Qt::AlignRight);
    grid->setColumnStretch(0, 1);
}

void TrackpadSystemGestureRequirementRow::applyDetailColor() {
    SettingsPageLayout::setTextColor(*detailLabel_, SettingsPageLayout::resolvedColor(
                                                        SettingsSystemColor::secondaryLabel,
                                                        SettingsPageLayout::effectiveAppearance()));
}

TrackpadSystemGestureRequirementRow::~TrackpadSystemGestureRequirementRow() {
    // The page keeps the status view and the button; they outlive this rendering, unless a
    // newer row already shows them.
    SettingsControlShelf::reclaimFrom(*this, statusView_);
    SettingsControlShelf::reclaimFrom(*this, openSettingsButton_);
}

} // namespace tessarin
