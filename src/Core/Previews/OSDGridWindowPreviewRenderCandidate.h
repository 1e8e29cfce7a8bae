#pragma once

#include "Core/Previews/OSDGridWindowDiagnosticFields.h"
#include "Core/Previews/OSDGridWindowPreviewCandidate.h"
#include "Support/Geometry.h"

#include <QImage>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tessarin {

class DisplayServer;

// A preview candidate prepared on the main thread for its capture off it: the scale of the
// screen holding most of it, and its icon as a plain bitmap.
struct OSDGridWindowPreviewRenderCandidate {
    WindowID windowID = 0;
    Rect bounds;
    int64_t zIndex = 0;
    std::optional<int64_t> onScreenIndex{};
    double captureScale = 1;
    std::optional<QImage> appIcon{};
    std::optional<std::string> bundleIdentifier{};
    std::optional<std::string> appDisplayName{};
    double area = 0;

    static OSDGridWindowPreviewRenderCandidate make(const OSDGridWindowPreviewCandidate& candidate,
                                                    const DisplayServer& displays);
    OSDGridWindowRenderCandidateFields diagnosticFields() const;
    static std::vector<OSDGridWindowRenderCandidateFields>
    diagnosticFields(const std::vector<OSDGridWindowPreviewRenderCandidate>& candidates);
};

} // namespace tessarin
