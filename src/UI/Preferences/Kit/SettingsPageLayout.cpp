#include "UI/Preferences/Kit/SettingsPageLayout.h"

#include "Platform/Host.h"
#include "UI/Text/ViewPointFontSize.h"

#include <QLabel>
#include <QLineEdit>
#include <QPalette>

namespace tessarin::SettingsPageLayout {

namespace {

QFont systemFont(int pointSize, QFont::Weight weight) {
    QFont font;
    setViewPointSize(font, pointSize);
    font.setWeight(weight);
    return font;
}

struct ColorPair {
    QColor light;
    QColor dark;
};

ColorPair pairOf(SettingsSystemColor color) {
    switch (color) {
    case SettingsSystemColor::label:
        return {QColor(0, 0, 0, 217), QColor(255, 255, 255, 217)};
    case SettingsSystemColor::secondaryLabel:
        // Faint, yet 4.5 : 1 against the window and card backgrounds of either appearance.
        return {QColor(0, 0, 0, 145), QColor(255, 255, 255, 140)};
    case SettingsSystemColor::disabledControlText:
        // Dimmed well below a label, yet 3 : 1 against the window, the cards, a field's box and
        // a button's bezel (the accent one's too), each drawn disabled, so it still reads.
        return {QColor(0, 0, 0, 124), QColor(255, 255, 255, 124)};
    case SettingsSystemColor::separator:
        return {QColor(0, 0, 0, 26), QColor(255, 255, 255, 26)};
    case SettingsSystemColor::windowBackground:
        return {QColor(236, 236, 236), QColor(50, 50, 50)};
    case SettingsSystemColor::controlBackground:
        return {QColor(255, 255, 255), QColor(30, 30, 30)};
    case SettingsSystemColor::selectedControl:
        return {QColor(179, 215, 255), QColor(63, 99, 139)};
    case SettingsSystemColor::chosenItemAccent:
        // The picture of a chosen toolbar item: the accent blue in light; in dark a lighter
        // blue, so it stands out 3 : 1 from the chosen item's panel as well as the window.
        return {QColor(0, 122, 255), QColor(120, 185, 255)};
    }
    return {};
}

} // namespace

QColor halfway(const QColor& from, const QColor& to) {
    return QColor::fromRgbF((from.redF() + to.redF()) / 2, (from.greenF() + to.greenF()) / 2,
                            (from.blueF() + to.blueF()) / 2);
}

QFont sectionHeaderFont() {
    return systemFont(13, QFont::DemiBold);
}
QFont rowTitleFont() {
    return systemFont(13, QFont::Normal);
}
QFont rowDetailFont() {
    return systemFont(11, QFont::Normal);
}

QColor resolvedColor(SettingsSystemColor color, Appearance appearance) {
    const ColorPair pair = pairOf(color);
    return appearance == Appearance::dark ? pair.dark : pair.light;
}

void setTextColor(QWidget& label, const QColor& color) {
    QPalette palette = label.palette();
    palette.setColor(QPalette::WindowText, color);
    palette.setColor(QPalette::Text, color);
    label.setPalette(palette);
}

QColor textColor(const QWidget& label) {
    return label.palette().color(QPalette::WindowText);
}

void applyTextFieldColors(QLineEdit& field, Appearance appearance) {
    const bool editable = !field.isReadOnly();
    const QColor text = resolvedColor(
        editable ? SettingsSystemColor::label : SettingsSystemColor::secondaryLabel, appearance);
    QPalette palette = field.palette();
    palette.setColor(QPalette::Text, text);
    // A read-only field is a label, disabled or not.
    palette.setColor(QPalette::Disabled, QPalette::Text,
                     editable ? resolvedColor(SettingsSystemColor::disabledControlText, appearance)
                              : text);
    palette.setColor(QPalette::PlaceholderText,
                     resolvedColor(SettingsSystemColor::secondaryLabel, appearance));
    palette.setColor(QPalette::Base,
                     editable ? resolvedColor(SettingsSystemColor::controlBackground, appearance)
                              : QColor(Qt::transparent));
    field.setPalette(palette);
}

QLabel* makeLabel(const QString& text, const QFont& font) {
    auto* label = new QLabel(text);
    label->setFont(font);
    label->setTextInteractionFlags(Qt::NoTextInteraction);
    return label;
}

QColor cardBackgroundColor(Appearance appearance) {
    if (appearance == Appearance::dark) {
        return resolvedColor(SettingsSystemColor::windowBackground, appearance);
    }
    return QColor::fromRgbF(0.97f, 0.97f, 0.97f, 1.0f);
}

QPalette controlPalette(Appearance appearance) {
    const auto color = [appearance](SettingsSystemColor role) {
        return resolvedColor(role, appearance);
    };
    const QColor button =
        appearance == Appearance::dark ? QColor(72, 72, 75) : QColor(250, 250, 250);
    // Bevels, shadows and mid tones follow from the button and window colours.
    QPalette palette(button, color(SettingsSystemColor::windowBackground));
    for (const QPalette::ColorRole role :
         {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        palette.setColor(role, color(SettingsSystemColor::label));
        palette.setColor(QPalette::Disabled, role, color(SettingsSystemColor::disabledControlText));
    }
    palette.setColor(QPalette::Base, color(SettingsSystemColor::controlBackground));
    palette.setColor(QPalette::AlternateBase, cardBackgroundColor(appearance));
    palette.setColor(QPalette::PlaceholderText, color(SettingsSystemColor::secondaryLabel));
    palette.setColor(QPalette::Highlight, color(SettingsSystemColor::selectedControl));
    palette.setColor(QPalette::HighlightedText, color(SettingsSystemColor::label));
    palette.setColor(QPalette::ToolTipBase, color(SettingsSystemColor::controlBackground));
    palette.setColor(QPalette::ToolTipText, color(SettingsSystemColor::label));
    // A disabled control is drawn half into the window behind it, so it is told apart from an
    // enabled one and still shows.
    const QColor window = color(SettingsSystemColor::windowBackground);
    for (const QPalette::ColorRole role :
         {QPalette::Button, QPalette::Base, QPalette::Highlight, QPalette::Light,
          QPalette::Midlight, QPalette::Mid, QPalette::Dark, QPalette::Shadow}) {
        palette.setColor(QPalette::Disabled, role,
                         halfway(palette.color(QPalette::Active, role), window));
    }
    return palette;
}

Appearance effectiveAppearance() {
    Host* host = Host::installed();
    return host != nullptr ? host->system().appearance() : Appearance::light;
}

} // namespace tessarin::SettingsPageLayout
