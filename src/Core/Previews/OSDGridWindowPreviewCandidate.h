#pragma once

#include "Platform/WindowServerTypes.h"
#include "Support/Geometry.h"

#include <QImage>
#include <optional>
#include <string>

namespace tessarin {

// One window a composed preview of its Space may draw.
struct OSDGridWindowPreviewCandidate {
    WindowID windowID = 0;
    Rect bounds;
    int64_t zIndex = 0;
    std::optional<int64_t> onScreenIndex{};
    std::optional<std::string> bundleIdentifier{};
    std::optional<std::string> appDisplayName{};
    std::string windowTitle{};
    std::optional<QImage> appIcon{};

    double area() const;
    friend bool operator==(const OSDGridWindowPreviewCandidate&,
                           const OSDGridWindowPreviewCandidate&) = default;
};

} // namespace tessarin
