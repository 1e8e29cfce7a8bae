#pragma once

#include <optional>
#include <string>

namespace tessarin {

// The refresh that follows a Desktop added or removed through Mission Control and belongs to
// the preview orchestration: with no grid showing, the display's window metadata and previews
// are refreshed.
class MissionControlDesktopRefreshing {
public:
    virtual ~MissionControlDesktopRefreshing() = default;

    // Debounced refresh of a display's window-Space metadata and previews.
    virtual void scheduleWindowSpaceMetadataAndPreviewRefresh(
        const std::optional<std::string>& displayIdentifier) = 0;
};

} // namespace tessarin
