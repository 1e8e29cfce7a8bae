#pragma once

#include "Core/SpaceModel/DisplaySpaceOrderSnapshot.h"
#include "UI/OSD/OSDGridMouseInteractionContext.h"

#include <optional>
#include <string>

namespace tessarin {

// The refreshes that follow a Desktop added or removed through Mission Control and that belong
// to the OSD presentation control and the preview orchestration: a visible grid shows the
// removed Desktop's cell as a placeholder in place, or is shown again with the new Space
// count; with no grid showing, the display's window metadata and previews are refreshed.
class MissionControlDesktopRefreshing {
public:
    virtual ~MissionControlDesktopRefreshing() = default;

    // False when no grid of that display (or of the current grid display, for none) could be
    // redrawn; the caller then refreshes the visible grid the plain way.
    virtual bool refreshVisibleGridOSDWithTransientPlaceholder(
        int index, const std::optional<std::string>& displayIdentifier,
        const std::optional<DisplaySpaceOrderSnapshot>& transientDisplaySnapshot) = 0;
    virtual bool refreshVisibleGridOSDAllowingSpaceCountChange(
        const std::optional<std::string>& displayIdentifier,
        const std::optional<OSDGridMouseInteractionContext>& interactionContext) = 0;
    // Debounced refresh of a display's window-Space metadata and previews.
    virtual void scheduleWindowSpaceMetadataAndPreviewRefresh(
        const std::optional<std::string>& displayIdentifier) = 0;
};

} // namespace tessarin
