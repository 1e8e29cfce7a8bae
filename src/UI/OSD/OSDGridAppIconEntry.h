#pragma once

#include "UI/OSD/OSDGridImageEquality.h"

#include <QImage>
#include <string>

namespace tessarin {

// One recorded application icon of a grid cell.
struct OSDGridAppIconEntry {
    std::string bundleIdentifier;
    std::string appDisplayName;
    QImage icon;

    // Icons compare by their pixels in one format.
    friend bool operator==(const OSDGridAppIconEntry& a, const OSDGridAppIconEntry& b) {
        return a.bundleIdentifier == b.bundleIdentifier && a.appDisplayName == b.appDisplayName &&
               haveSamePixels(a.icon, b.icon);
    }
};

} // namespace tessarin
