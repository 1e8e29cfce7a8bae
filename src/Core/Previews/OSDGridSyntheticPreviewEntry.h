#pragma once

#include "Core/Previews/OSDGridWindowPreviewRenderSignature.h"
#include "Platform/WindowServerTypes.h"
#include "UI/OSD/OSDGridScreenshotEntry.h"

#include <map>

namespace tessarin {

// A composed preview with what it was composed from; equal when the pixels and the signature
// are.
struct OSDGridSyntheticPreviewEntry {
    OSDGridScreenshotEntry screenshot;
    OSDGridWindowPreviewRenderSignature renderSignature;

    friend bool operator==(const OSDGridSyntheticPreviewEntry&,
                           const OSDGridSyntheticPreviewEntry&) = default;
};

// The composed previews shown on one display, by Space ID.
struct OSDGridSyntheticPreviewDisplayCache {
    std::map<SpaceID, OSDGridSyntheticPreviewEntry> entries;
};

} // namespace tessarin
