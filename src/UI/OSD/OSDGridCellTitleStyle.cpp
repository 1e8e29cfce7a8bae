#include "UI/OSD/OSDGridCellTitleStyle.h"

#include "UI/Text/ViewPointFontSize.h"

#include <algorithm>

namespace tessarin::OSDGridCellTitleStyle {

QColor activeColor() {
    return QColor::fromRgbF(1, 1, 1, 0.94f);
}

QColor inactiveColor() {
    return QColor::fromRgbF(1, 1, 1, 0.8f);
}

QColor plateColor() {
    return QColor::fromRgbF(0, 0, 0, 0.65f);
}

double pointSize(double scaleMultiplier) {
    return std::min(9.5 * scaleMultiplier, 11.5);
}

OSDGridCellTitleAttributes attributes(bool isActive, double scaleMultiplier) {
    OSDGridCellTitleAttributes attributes;
    attributes.pointSize = pointSize(scaleMultiplier);
    setViewPointSize(attributes.font, attributes.pointSize);
    attributes.font.setWeight(QFont::Normal);
    attributes.color = isActive ? activeColor() : inactiveColor();
    attributes.shadowColor = QColor::fromRgbF(0, 0, 0, 0.55f);
    attributes.shadowBlur = 3;
    attributes.shadowOffset = {0, -1};
    return attributes;
}

} // namespace tessarin::OSDGridCellTitleStyle
