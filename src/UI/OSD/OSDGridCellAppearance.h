#pragma once

#include "UI/OSD/OSDGridAppIconEntry.h"
#include "UI/OSD/OSDGridScreenshotEntry.h"

#include <optional>

namespace tessarin {

// What one cell of a grid looks like. The screenshot cases carry the picture, the icon cases the
// icon; the other cases carry nothing.
class OSDGridCellAppearance {
public:
    enum class Kind {
        inactiveScreenshot,
        inactiveIcon,
        activeScreenshot,
        activeIcon,
        emptyPlaceholder,
        virtualDestination,
        inactivePlaceholder,
        activeFill,
    };

    static OSDGridCellAppearance inactiveScreenshot(OSDGridScreenshotEntry entry);
    static OSDGridCellAppearance inactiveIcon(OSDGridAppIconEntry entry);
    static OSDGridCellAppearance activeScreenshot(OSDGridScreenshotEntry entry);
    static OSDGridCellAppearance activeIcon(OSDGridAppIconEntry entry);
    static OSDGridCellAppearance emptyPlaceholder() {
        return OSDGridCellAppearance(Kind::emptyPlaceholder);
    }
    static OSDGridCellAppearance virtualDestination() {
        return OSDGridCellAppearance(Kind::virtualDestination);
    }
    static OSDGridCellAppearance inactivePlaceholder() {
        return OSDGridCellAppearance(Kind::inactivePlaceholder);
    }
    static OSDGridCellAppearance activeFill() { return OSDGridCellAppearance(Kind::activeFill); }

    Kind kind() const { return kind_; }
    // Present exactly for the two screenshot cases.
    const std::optional<OSDGridScreenshotEntry>& screenshot() const { return screenshot_; }
    // Present exactly for the two icon cases.
    const std::optional<OSDGridAppIconEntry>& icon() const { return icon_; }

    friend bool operator==(const OSDGridCellAppearance&, const OSDGridCellAppearance&) = default;

private:
    explicit OSDGridCellAppearance(Kind kind) : kind_(kind) {}

    Kind kind_;
    std::optional<OSDGridScreenshotEntry> screenshot_;
    std::optional<OSDGridAppIconEntry> icon_;
};

} // namespace tessarin
