#include "UI/Preferences/Keyboard/WorkspaceExplanationRowView.h"

#include "UI/Preferences/Kit/SettingsPageLayout.h"

#include <QLabel>
#include <QVBoxLayout>

namespace tessarin {

namespace L = SettingsPageLayout;

WorkspaceExplanationRowView::WorkspaceExplanationRowView(const std::string& text,
                                                         const std::string& textIdentifier)
    : label_(L::makeLabel(QString::fromStdString(text), L::rowDetailFont())),
      appearanceObserver_([this] { applyColors(); }) {
    label_->setObjectName(QString::fromStdString(textIdentifier));
    label_->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 11, 16, 11);
    layout->addWidget(label_);
    applyColors();
}

void WorkspaceExplanationRowView::applyColors() {
    L::setTextColor(
        *label_, L::resolvedColor(SettingsSystemColor::secondaryLabel, L::effectiveAppearance()));
}

} // namespace tessarin
