#include "UI/Preferences/Kit/SettingsCenteredControlRowView.h"

#include "UI/Preferences/Kit/SettingsControlEnabling.h"
#include "UI/Preferences/Kit/SettingsControlShelf.h"
#include "UI/Preferences/Kit/SettingsPageLayout.h"

#include <QHBoxLayout>

namespace tessarin {

SettingsCenteredControlRowView::SettingsCenteredControlRowView(
    QWidget* controlView, const std::optional<QString>& controlIdentifier, QWidget* parent)
    : QWidget(parent), controlView_(controlView) {
    if (controlIdentifier) {
        controlView_->setObjectName(*controlIdentifier);
    }
    controlView_->setSizePolicy(QSizePolicy::Fixed, controlView_->sizePolicy().verticalPolicy());
    auto* layout = new QHBoxLayout(this);
    namespace L = SettingsPageLayout;
    layout->setContentsMargins(L::rowHorizontalInset, L::rowVerticalInset, L::rowHorizontalInset,
                               L::rowVerticalInset);
    layout->addWidget(controlView_, 0, Qt::AlignHCenter);
    controlView_->show();
}

SettingsCenteredControlRowView::~SettingsCenteredControlRowView() {
    SettingsControlShelf::reclaimFrom(*this, controlView_);
}

void SettingsCenteredControlRowView::applyEnabledState(bool enabled) {
    if (controlView_) {
        applySettingsControlEnabledState(*controlView_, enabled);
    }
}

} // namespace tessarin
