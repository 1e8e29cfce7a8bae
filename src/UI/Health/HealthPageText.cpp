#include "UI/Health/HealthPageText.h"

#include "UI/Preferences/Kit/SettingsAccentButton.h"
#include "UI/Preferences/Kit/SettingsPageLayout.h"
#include "UI/Preferences/Kit/StatusTextColour.h"
#include "UI/Text/ViewPointFontSize.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QVBoxLayout>

namespace tessarin::HealthPageText {

QColor labelColour() {
    return SettingsPageLayout::resolvedColor(SettingsSystemColor::label,
                                             SettingsPageLayout::effectiveAppearance());
}

QColor secondaryLabel() {
    return SettingsPageLayout::resolvedColor(SettingsSystemColor::secondaryLabel,
                                             SettingsPageLayout::effectiveAppearance());
}

// Fainter text would not read against the page: the tertiary colour is the secondary one.
QColor tertiaryLabel() {
    return secondaryLabel();
}

QColor statusColour(const QColor& systemColour) {
    return statusTextColour(systemColour, SettingsPageLayout::effectiveAppearance());
}

void makeSecondaryFlat(QPushButton& button) {
    button.setFlat(true);
    QPalette palette = button.palette();
    palette.setColor(QPalette::ButtonText, secondaryLabel());
    button.setPalette(palette);
}

QFont systemFont(double pointSize, bool semibold) {
    QFont font;
    setViewPointSize(font, pointSize);
    font.setWeight(semibold ? QFont::DemiBold : QFont::Normal);
    return font;
}

QLabel* makeLabel(const QString& text, const QString& identifier, const QFont& font,
                  const QColor& colour, bool wraps, int maxWidth) {
    QLabel* label = SettingsPageLayout::makeLabel(text, font);
    label->setObjectName(identifier);
    label->setAlignment(Qt::AlignHCenter);
    label->setWordWrap(wraps);
    if (maxWidth > 0) {
        label->setMaximumWidth(maxWidth);
    }
    SettingsPageLayout::setTextColor(*label, colour);
    return label;
}

void addCentred(QVBoxLayout& stack, QWidget* view) {
    const auto* label = qobject_cast<QLabel*>(view);
    if (label == nullptr || !label->wordWrap()) {
        stack.addWidget(view, 0, Qt::AlignHCenter);
        return;
    }
    // The label's stretch outweighs the margins', so they only take what its maximum leaves.
    auto* row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addStretch(1);
    row->addWidget(view, 1000);
    row->addStretch(1);
    stack.addLayout(row);
}

QPushButton* makeButton(const QString& title, const QString& identifier, bool isDefault,
                        int minimumWidth) {
    auto* button = new QPushButton(title);
    button->setObjectName(identifier);
    button->setDefault(isDefault);
    button->setAutoDefault(isDefault);
    if (minimumWidth > 0) {
        button->setMinimumWidth(minimumWidth);
    }
    if (isDefault) {
        button->setProperty("keyEquivalent", QStringLiteral("\r"));
        SettingsAccentButton::apply(*button, SettingsPageLayout::effectiveAppearance());
    }
    return button;
}

} // namespace tessarin::HealthPageText
