#include "UI/Preferences/Kit/SettingsAccentButton.h"

#include "UI/Preferences/Kit/SettingsPageLayout.h"

#include <QPushButton>

namespace tessarin::SettingsAccentButton {

QColor bezelColor(Appearance appearance) {
    return appearance == Appearance::dark ? QColor(10, 96, 214) : QColor(0, 100, 221);
}

QColor titleColor(Appearance) {
    return QColor(255, 255, 255);
}

QColor disabledTitleColor(Appearance appearance) {
    return SettingsPageLayout::resolvedColor(SettingsSystemColor::disabledControlText, appearance);
}

void apply(QPushButton& button, Appearance appearance) {
    const QColor bezel = bezelColor(appearance);
    const QColor title = titleColor(appearance);
    QColor faded = bezel;
    faded.setAlphaF(0.45f);
    const QColor fadedTitle = disabledTitleColor(appearance);
    button.setStyleSheet(
        QStringLiteral("QPushButton { background-color: %1; color: %2; border: none;"
                       " border-radius: 6px; padding: 5px 16px; min-height: 18px; }"
                       "QPushButton:pressed { background-color: %3; }"
                       "QPushButton:disabled { background-color: %4; color: %5; }")
            .arg(bezel.name(), title.name(), bezel.darker(125).name(), faded.name(QColor::HexArgb),
                 fadedTitle.name(QColor::HexArgb)));
}

} // namespace tessarin::SettingsAccentButton
