#pragma once

#include "Model/Settings/OSDHeaderIconStyle.h"

#include <QColor>
#include <QImage>
#include <optional>

namespace tessarin {

// The picture in the OSD header, 64 × 64 points. A template image counts only by its alpha and
// is tinted with the label colour where it is shown.
struct OSDHeaderIcon {
    static constexpr int side = 64;

    QImage image;
    bool isTemplate = false;

    // The style's own picture, else the drawn fallback.
    static std::optional<OSDHeaderIcon> forStyle(OSDHeaderIconStyle style);
    static std::optional<OSDHeaderIcon> appBundleIcon();
    static std::optional<OSDHeaderIcon> monochromeIcon();
    static std::optional<OSDHeaderIcon> fallbackIcon();

    // The image to show: a template filled with `tint`, any other image as it is.
    QImage tinted(const QColor& tint) const;
};

} // namespace tessarin
