#pragma once

#include "Support/Geometry.h"

#include <QImage>
#include <cstdint>
#include <optional>
#include <string>

namespace tessarin {

// One captured window ready to be laid into a composed preview. `bounds` are in the window
// server's global coordinates (points, y growing downwards from the main display's top).
struct OSDGridRenderableWindowPreview {
    std::optional<std::uint32_t> windowID;
    QImage image; // the trimmed window capture
    std::optional<Rect> bounds;
    int zIndex = 0;                   // position in the full window list
    std::optional<int> onScreenIndex; // front-most 0; absent when not on screen
    std::optional<QImage> appIcon;
    std::optional<std::string> bundleIdentifier;
    std::optional<std::string> appDisplayName;
    double area = 0; // of the bounds, negative extents counted as 0
};

// Width x height with each extent taken as at least 0.
double nonNegativeArea(const Rect& rect);

} // namespace tessarin
