#pragma once

#include <QColor>
#include <QFont>
#include <QPointF>

namespace tessarin {

// How a cell title is set: the font, the colour and the shadow behind the text. Titles are left
// aligned and cut at the tail with an ellipsis when they do not fit.
struct OSDGridCellTitleAttributes {
    double pointSize = 0;
    QFont font;
    QColor color;
    QColor shadowColor;
    double shadowBlur = 0;
    // In y-up geometry: the shadow falls one point below the text.
    QPointF shadowOffset;
    // Laid behind the text where the cell shows the user's content, which may be as light as
    // the text: none (transparent) over the view's own fills, which the text reads on.
    QColor plateColor = Qt::transparent;

    friend bool operator==(const OSDGridCellTitleAttributes&,
                           const OSDGridCellTitleAttributes&) = default;
};

namespace OSDGridCellTitleStyle {

QColor activeColor();
QColor inactiveColor();
// min(9.5 × scale, 11.5): titles grow with the grid up to a cap.
double pointSize(double scaleMultiplier);
OSDGridCellTitleAttributes attributes(bool isActive, double scaleMultiplier);
// Dark enough that the lighter of the two title colours reads at 4.5 : 1 over it even on white.
QColor plateColor();

} // namespace OSDGridCellTitleStyle

} // namespace tessarin
