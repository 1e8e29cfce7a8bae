#pragma once

#include "Core/Previews/OSDGridWindowPreviewCandidate.h"
#include "Support/Geometry.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tessarin {

// A preview candidate without its icon: what of a window a composed preview depends on.
struct OSDGridWindowPreviewSignature {
    WindowID windowID = 0;
    Rect bounds;
    int64_t zIndex = 0;
    std::optional<int64_t> onScreenIndex{};
    std::optional<std::string> bundleIdentifier{};
    std::optional<std::string> appDisplayName{};
    std::string windowTitle{};

    explicit OSDGridWindowPreviewSignature(const OSDGridWindowPreviewCandidate& candidate);
    friend bool operator==(const OSDGridWindowPreviewSignature&,
                           const OSDGridWindowPreviewSignature&) = default;
};

// What a stored preview was composed from. A capture is due only when this changes, so an
// application's new icon alone never starts one.
struct OSDGridWindowPreviewRenderSignature {
    static constexpr int currentCompositorVersion = 3;

    int compositorVersion = currentCompositorVersion;
    std::optional<Rect> displayFrame{};
    std::vector<OSDGridWindowPreviewSignature> windows{};

    friend bool operator==(const OSDGridWindowPreviewRenderSignature&,
                           const OSDGridWindowPreviewRenderSignature&) = default;
};

} // namespace tessarin
