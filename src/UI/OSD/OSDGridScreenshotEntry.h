#pragma once

#include "UI/OSD/OSDGridImageEquality.h"

#include <QImage>

namespace tessarin {

// One cached picture of a grid cell: a Space screenshot or a composed window preview.
struct OSDGridScreenshotEntry {
    QImage image;

    // By pixels in one format; two null images are equal, a null and a non-null image are not.
    friend bool operator==(const OSDGridScreenshotEntry& a, const OSDGridScreenshotEntry& b) {
        return haveSamePixels(a.image, b.image);
    }
};

} // namespace tessarin
