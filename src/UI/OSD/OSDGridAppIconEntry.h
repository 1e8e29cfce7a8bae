#pragma once

#include <QImage>
#include <string>

namespace tessarin {

// One recorded application icon of a grid cell.
struct OSDGridAppIconEntry {
    std::string bundleIdentifier;
    std::string appDisplayName;
    QImage icon;

    friend bool operator==(const OSDGridAppIconEntry&, const OSDGridAppIconEntry&) = default;
};

} // namespace tessarin
