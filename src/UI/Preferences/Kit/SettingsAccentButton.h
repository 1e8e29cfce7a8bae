#pragma once

#include "Platform/SystemServices.h"

#include <QColor>

class QPushButton;

namespace tessarin {

// The button that carries a page's action: its bezel filled with the control accent colour and
// its title in white. The accent is taken deep enough that the title reads on it (4.5 : 1) in
// either appearance.
namespace SettingsAccentButton {

QColor bezelColor(Appearance appearance);
QColor titleColor(Appearance appearance);
// The title of a disabled button, over the faded bezel: the disabled control text, which reads
// on it where a faded white would not.
QColor disabledTitleColor(Appearance appearance);
// Draws `button` so in `appearance`; it darkens while pressed and fades while disabled.
void apply(QPushButton& button, Appearance appearance);

} // namespace SettingsAccentButton

} // namespace tessarin
