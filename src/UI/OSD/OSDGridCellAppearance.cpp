#include "UI/OSD/OSDGridCellAppearance.h"

#include <utility>

namespace tessarin {

OSDGridCellAppearance OSDGridCellAppearance::inactiveScreenshot(OSDGridScreenshotEntry entry) {
    OSDGridCellAppearance appearance(Kind::inactiveScreenshot);
    appearance.screenshot_ = std::move(entry);
    return appearance;
}

OSDGridCellAppearance OSDGridCellAppearance::inactiveIcon(OSDGridAppIconEntry entry) {
    OSDGridCellAppearance appearance(Kind::inactiveIcon);
    appearance.icon_ = std::move(entry);
    return appearance;
}

OSDGridCellAppearance OSDGridCellAppearance::activeScreenshot(OSDGridScreenshotEntry entry) {
    OSDGridCellAppearance appearance(Kind::activeScreenshot);
    appearance.screenshot_ = std::move(entry);
    return appearance;
}

OSDGridCellAppearance OSDGridCellAppearance::activeIcon(OSDGridAppIconEntry entry) {
    OSDGridCellAppearance appearance(Kind::activeIcon);
    appearance.icon_ = std::move(entry);
    return appearance;
}

} // namespace tessarin
