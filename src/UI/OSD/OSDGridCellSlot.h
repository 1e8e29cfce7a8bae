#pragma once

#include "Model/Settings/OSDGridAppearanceSettings.h"
#include "Platform/SystemServices.h"
#include "Support/Geometry.h"
#include "UI/OSD/OSDGridCellAppearance.h"

#include <QPainter>
#include <QTransform>

namespace tessarin {

// Where and how a drawing pass last drew a cell's body: enough to draw another picture into the
// same cell ahead of the next pass, pixel for pixel as that pass would, on any thread.
struct OSDGridCellSlot {
    Rect frame; // view geometry, y up; grown when the cell was emphasised
    double viewHeight = 0;
    QTransform device;
    QPainter::RenderHints hints;
    OSDGridCellAppearance::Kind kind = OSDGridCellAppearance::Kind::inactiveScreenshot;
    bool obscured = false;
    OSDGridAppearanceSettings settings = OSDGridAppearanceSettings::defaultValue();
    Appearance tone = Appearance::light;
};

} // namespace tessarin
