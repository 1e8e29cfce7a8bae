#include "UI/Preferences/Kit/SettingsRowView.h"

#include "UI/Preferences/Kit/SettingsControlEnabling.h"
#include "UI/Preferences/Kit/SettingsControlShelf.h"
#include "UI/Preferences/Kit/SettingsPageLayout.h"

#include <QGridLayout>
#include <QLabel>

namespace tessarin {

namespace L = SettingsPageLayout;

SettingsRowView::SettingsRowView(const QString& title, const std::optional<QString>& detail,
                                 QWidget* controlView, const std::optional<QString>& rowIdentifier,
                                 const std::optional<QString>& controlIdentifier,
                                 const std::optional<QString>& detailIdentifier, QWidget* parent)
    : QWidget(parent), titleLabel_(L::makeLabel(title, L::rowTitleFont())),
      controlView_(controlView), appearanceObserver_([this] { applyLabelColors(); }) {
    titleLabel_->setWordWrap(true);
    if (detail) {
        detailLabel_ = L::makeLabel(*detail, L::rowDetailFont());
        detailLabel_->setWordWrap(true);
    }
    if (rowIdentifier) {
        setObjectName(*rowIdentifier);
    }
    if (controlIdentifier) {
        controlView_->setObjectName(*controlIdentifier);
    }
    if (detailLabel_ != nullptr && detailIdentifier) {
        detailLabel_->setObjectName(*detailIdentifier);
    }
    // The control keeps its size; the title wraps instead.
    controlView_->setSizePolicy(QSizePolicy::Fixed, controlView_->sizePolicy().verticalPolicy());

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(L::rowHorizontalInset, L::rowVerticalInset, L::rowHorizontalInset,
                               L::rowVerticalInset);
    layout->setHorizontalSpacing(L::titleControlGap);
    layout->setVerticalSpacing(L::titleDetailGap);
    layout->addWidget(titleLabel_, 0, 0, Qt::AlignVCenter);
    layout->addWidget(controlView_, 0, 1, Qt::AlignRight | Qt::AlignVCenter);
    if (detailLabel_ != nullptr) {
        layout->addWidget(detailLabel_, 1, 0, 1, 2);
    }
    layout->setColumnStretch(0, 1);
    controlView_->show();
    applyEnabledState(true);
}

SettingsRowView::~SettingsRowView() {
    SettingsControlShelf::reclaimFrom(*this, controlView_);
}

void SettingsRowView::setVerticalInset(int inset) {
    QLayout* rowLayout = layout();
    const QMargins margins = rowLayout->contentsMargins();
    rowLayout->setContentsMargins(margins.left(), inset, margins.right(), inset);
}

void SettingsRowView::applyEnabledState(bool enabled) {
    enabled_ = enabled;
    if (controlView_) {
        applySettingsControlEnabledState(*controlView_, enabled);
    }
    // A dimmed row's labels belong to an inactive control, for the accessibility tree too.
    titleLabel_->setEnabled(enabled);
    if (detailLabel_ != nullptr) {
        detailLabel_->setEnabled(enabled);
    }
    applyLabelColors();
}

void SettingsRowView::applyLabelColors() {
    const Appearance appearance = L::effectiveAppearance();
    const QColor disabled = L::resolvedColor(SettingsSystemColor::disabledControlText, appearance);
    L::setTextColor(*titleLabel_,
                    enabled_ ? L::resolvedColor(SettingsSystemColor::label, appearance) : disabled);
    if (detailLabel_ != nullptr) {
        L::setTextColor(*detailLabel_,
                        enabled_ ? L::resolvedColor(SettingsSystemColor::secondaryLabel, appearance)
                                 : disabled);
    }
}

} // namespace tessarin
