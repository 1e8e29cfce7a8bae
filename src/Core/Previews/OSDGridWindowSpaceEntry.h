#pragma once

#include "Core/Previews/OSDGridAppIconSource.h"
#include "Core/Previews/OSDGridWindowPreviewCandidate.h"
#include "Platform/WindowServerTypes.h"
#include "UI/OSD/OSDGridAppIconEntry.h"

#include <map>
#include <vector>

namespace tessarin {

// What the window list said about one Space: the application that stands for it, the windows a
// composed preview may draw (back to front, at most 16) and its stack of application icons.
struct OSDGridWindowSpaceEntry {
    static constexpr std::size_t maximumPreviewCandidates = 16;

    OSDGridAppIconSource source;
    std::vector<OSDGridWindowPreviewCandidate> previewCandidates;
    std::vector<OSDGridAppIconEntry> iconStack;
    friend bool operator==(const OSDGridWindowSpaceEntry&,
                           const OSDGridWindowSpaceEntry&) = default;
};

struct OSDGridWindowSpaceDisplayCache {
    std::map<SpaceID, OSDGridWindowSpaceEntry> entries;
};

} // namespace tessarin
