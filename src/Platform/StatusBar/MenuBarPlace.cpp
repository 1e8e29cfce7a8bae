#include "Platform/StatusBar/MenuBarPlace.h"

#include <algorithm>

namespace tessarin {

MenuBarPlace::MenuBarPlace(const Rect& display, double menuBarThickness)
    : display_(display.standardized()),
      menuBarThickness_(menuBarThickness > 0 ? menuBarThickness : kDefaultMenuBarThickness) {}

Point MenuBarPlace::statusItemPoint() const {
    // A display narrower or lower than the item still holds the point (its half-open max edges
    // are not its own).
    const double x = std::max(display_.minX(), display_.maxX() - kStatusItemInset);
    const double y = display_.minY() + std::min(menuBarThickness_, display_.height()) / 2;
    return {x, y};
}

std::optional<Rect> MenuBarPlace::standInFrame(const MachineScreenPlacement& placement,
                                               const Rect& screen, Size size, double margin) const {
    const Rect image = placement.toMachine(display_).standardized().intersection(screen);
    if (image.isEmpty()) {
        return std::nullopt;
    }
    const double x = std::clamp(image.maxX() - margin - size.width, screen.minX(),
                                std::max(screen.minX(), screen.maxX() - size.width));
    const double y = std::clamp(image.minY() + margin, screen.minY(),
                                std::max(screen.minY(), screen.maxY() - size.height));
    return Rect{x, y, size.width, size.height};
}

} // namespace tessarin
