#pragma once

#include "UI/Preferences/Kit/SystemColours.h"

#include <QColor>
#include <QFont>
#include <QString>

class QLabel;
class QPushButton;
class QVBoxLayout;
class QWidget;

namespace tessarin {

// The colours and label and button shapes of the health page.
namespace HealthPageText {
QColor labelColour();
QColor secondaryLabel();
QColor tertiaryLabel();
// A system colour as status text: the form that reads on the page in its appearance.
QColor statusColour(const QColor& systemColour);
QFont systemFont(double pointSize, bool semibold);
// A centred label; `wraps` breaks it by word with no line limit.
QLabel* makeLabel(const QString& text, const QString& identifier, const QFont& font,
                  const QColor& colour, bool wraps, int maxWidth = 0);
// Adds `view` centred to a vertical stack. A wrapping label takes the stack's width up to its
// own maximum and the height of all its lines; centred by the stack's alignment instead, it
// would get its preferred width and one line's height.
void addCentred(QVBoxLayout& stack, QWidget* view);
// A rounded large button; with `isDefault` it answers Return and takes the accent colour.
QPushButton* makeButton(const QString& title, const QString& identifier, bool isDefault,
                        int minimumWidth = 0);
// Borderless, its title in the secondary label colour.
void makeSecondaryFlat(QPushButton& button);
} // namespace HealthPageText

} // namespace tessarin
