#include "Core/Previews/OSDGridWindowPreviewRenderSignature.h"

namespace tessarin {

OSDGridWindowPreviewSignature::OSDGridWindowPreviewSignature(
    const OSDGridWindowPreviewCandidate& candidate)
    : windowID(candidate.windowID), bounds(candidate.bounds), zIndex(candidate.zIndex),
      onScreenIndex(candidate.onScreenIndex), bundleIdentifier(candidate.bundleIdentifier),
      appDisplayName(candidate.appDisplayName), windowTitle(candidate.windowTitle) {}

} // namespace tessarin
