#pragma once

#include "Platform/SystemServices.h"

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QString>

class QLabel;
class QLineEdit;
class QWidget;

namespace tessarin {

// The colours the settings views take from the system; each has a light and a dark form.
enum class SettingsSystemColor {
    label,
    secondaryLabel,
    disabledControlText,
    separator,
    windowBackground,
    controlBackground,
    selectedControl,
    chosenItemAccent,
};

// The fonts, measures and colours shared by every settings page, sheet and the health page.
namespace SettingsPageLayout {

// The colour half way from one to the other, opaque.
QColor halfway(const QColor& from, const QColor& to);
QFont sectionHeaderFont(); // system 13 pt semibold
QFont rowTitleFont();      // system 13 pt regular
QFont rowDetailFont();     // system 11 pt

// A system colour in its form for `appearance`.
QColor resolvedColor(SettingsSystemColor color, Appearance appearance);
// A label's text colour, as the palette keeps it.
void setTextColor(QWidget& label, const QColor& color);
QColor textColor(const QWidget& label);
// A text field's colours for `appearance`: an editable field is a box of the control background
// with label text; a read-only one shows secondary text on what lies behind it, with no box.
// An editable field's disabled text takes the disabled control text colour; placeholders take
// the secondary colour.
void applyTextFieldColors(QLineEdit& field, Appearance appearance);
// A plain label (no editing, no bezel) of `text` in `font`.
QLabel* makeLabel(const QString& text, const QFont& font);
// Dark: the window background; light: a 0.97 white.
QColor cardBackgroundColor(Appearance appearance);
// The appearance views are drawn in: the current host's, light without a host.
Appearance effectiveAppearance();
// The palette the standard controls (buttons, check boxes, pop-ups, the toolbar) are drawn with
// in `appearance`, made of the colours above.
QPalette controlPalette(Appearance appearance);

inline constexpr int pageInset = 24;
inline constexpr int sectionSpacing = 24;
inline constexpr int sectionTitleGap = 7;
inline constexpr int cardCornerRadius = 12;
inline constexpr int rowVerticalInset = 11;
// Rows of shortcut recorders listed in a card of their own, so a short window holds them all.
inline constexpr int compactRowVerticalInset = 3;
inline constexpr int rowHorizontalInset = 16;
inline constexpr int titleControlGap = 12;
inline constexpr int titleDetailGap = 2;
inline constexpr int separatorInset = 16;
inline constexpr int sliderTrackWidth = 210;
inline constexpr int sliderLabelGap = 10;
inline constexpr int sliderLabelWidth = 54;
inline constexpr int colorWellWidth = 44;
inline constexpr int colorWellHeight = 24;
// From a shortcut recorder to the clear button after it, the same in every row, so the
// recorders of a page stand in one column.
inline constexpr int recorderButtonGap = 12;

} // namespace SettingsPageLayout

} // namespace tessarin
