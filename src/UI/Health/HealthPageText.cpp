#include "UI/Health/HealthPageText.h"

#include "UI/Preferences/Kit/SettingsPageLayout.h"

#include <QLabel>
#include <QPushButton>

namespace tessarin::HealthPageText {

QColor labelColour() {
    return SettingsPageLayout::resolvedColor(SettingsSystemColor::label,
                                             SettingsPageLayout::effectiveAppearance());
}

QColor secondaryLabel() {
    return SettingsPageLayout::resolvedColor(SettingsSystemColor::secondaryLabel,
                                             SettingsPageLayout::effectiveAppearance());
}

QColor tertiaryLabel() {
    QColor colour = secondaryLabel();
    colour.setAlphaF(colour.alphaF() * 0.6);
    return colour;
}

QFont systemFont(double pointSize, bool semibold) {
    QFont font;
    font.setPointSizeF(pointSize);
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
    }
    return button;
}

} // namespace tessarin::HealthPageText
