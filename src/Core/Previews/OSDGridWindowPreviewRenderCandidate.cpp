#include "Core/Previews/OSDGridWindowPreviewRenderCandidate.h"

#include "Core/Previews/OSDGridPreviewScreenGeometry.h"
#include "Core/Previews/OSDGridRenderableWindowPreview.h"

namespace tessarin {

OSDGridWindowPreviewRenderCandidate
OSDGridWindowPreviewRenderCandidate::make(const OSDGridWindowPreviewCandidate& candidate,
                                          const DisplayServer& displays) {
    OSDGridWindowPreviewRenderCandidate render;
    render.windowID = candidate.windowID;
    render.bounds = candidate.bounds;
    render.zIndex = candidate.zIndex;
    render.onScreenIndex = candidate.onScreenIndex;
    render.captureScale = windowCaptureScaleFactor(candidate.bounds, displays);
    if (candidate.appIcon && !candidate.appIcon->isNull()) {
        // A detached copy in the canvas format, so the capture thread shares nothing with the
        // main thread's icon.
        render.appIcon = candidate.appIcon->convertToFormat(QImage::Format_ARGB32_Premultiplied);
    }
    render.bundleIdentifier = candidate.bundleIdentifier;
    render.appDisplayName = candidate.appDisplayName;
    render.area = nonNegativeArea(candidate.bounds);
    return render;
}

OSDGridWindowRenderCandidateFields OSDGridWindowPreviewRenderCandidate::diagnosticFields() const {
    OSDGridWindowRenderCandidateFields fields;
    fields.windowID = windowID;
    fields.zIndex = static_cast<int>(zIndex);
    if (onScreenIndex) {
        fields.onScreenIndex = static_cast<int>(*onScreenIndex);
    }
    fields.area = area;
    fields.captureScale = captureScale;
    fields.bounds = bounds;
    fields.bundleIdentifier = bundleIdentifier;
    fields.appDisplayName = appDisplayName;
    return fields;
}

std::vector<OSDGridWindowRenderCandidateFields>
OSDGridWindowPreviewRenderCandidate::diagnosticFields(
    const std::vector<OSDGridWindowPreviewRenderCandidate>& candidates) {
    std::vector<OSDGridWindowRenderCandidateFields> fields;
    fields.reserve(candidates.size());
    for (const auto& candidate : candidates) {
        fields.push_back(candidate.diagnosticFields());
    }
    return fields;
}

} // namespace tessarin
