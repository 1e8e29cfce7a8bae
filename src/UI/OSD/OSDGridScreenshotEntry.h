#pragma once

#include <QImage>

namespace tessarin {

// One cached picture of a grid cell: a Space screenshot or a composed window preview.
struct OSDGridScreenshotEntry {
    QImage image;

    // QImage equality compares pixel content; two null images are equal, a null and a non-null
    // image are not.
    friend bool operator==(const OSDGridScreenshotEntry&, const OSDGridScreenshotEntry&) = default;
};

} // namespace tessarin
