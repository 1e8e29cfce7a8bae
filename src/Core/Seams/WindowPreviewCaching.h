#pragma once

#include "Core/Settings/DisplayPresentationSettingsSnapshot.h"
#include "Core/SpaceModel/DisplaySpaceOrderSnapshot.h"
#include "Platform/WindowServerTypes.h"
#include "UI/OSD/OSDGridSpaceContext.h"

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tessarin {

// The window-Space metadata, icon, screenshot and preview caches, keyed by display and Space
// ID, as the switching engine needs them: the windowless test before a switch, a metadata
// refresh, and rekeying when the window server renumbered Spaces; and the screenshot and
// preview scheduling that a change of the grid settings starts over.
class WindowPreviewCaching {
public:
    virtual ~WindowPreviewCaching() = default;
    virtual bool isWindowlessSpace(const std::string& displayIdentifier, SpaceID spaceID) = 0;
    // Refreshes the window-Space metadata of the snapshot's display at once and records its
    // icon sources.
    virtual void refreshWindowMetadata(const DisplaySpaceOrderSnapshot& snapshot) = 0;
    // Rekeys the icon, window-Space and preview-refresh entries of a Space display.
    virtual void remapSpaceDisplayCaches(const std::string& spaceDisplayIdentifier,
                                         const std::map<SpaceID, SpaceID>& replacements) = 0;
    // The displays whose screenshots and previews show the Spaces of a Space display.
    virtual std::vector<std::string>
    previewDisplayIdentifiers(const std::string& spaceDisplayIdentifier) = 0;
    // Rekeys the screenshot and composed-preview caches of a preview display.
    virtual void remapPreviewDisplayCaches(const std::string& previewDisplayIdentifier,
                                           const std::map<SpaceID, SpaceID>& replacements) = 0;

    // Drops every scheduled preview refresh.
    virtual void clearScheduledPreviewRefreshes() = 0;
    virtual void cancelPendingGridScreenshotCapture() = 0;
    // Captures the current Space after the delay its capture mode asks for.
    virtual void scheduleCurrentSpaceScreenshotCapture() = 0;
    // Whether the window-Space refresh plan of all displays includes previews.
    virtual bool refreshPlanIncludesPreviews() = 0;
    virtual void refreshWindowSpaceMetadataOnly() = 0;
    // Schedules every visible Space's preview at once, as after a settings change; false when
    // no display could be resolved and nothing was scheduled.
    virtual bool scheduleAllVisibleSpacePreviewRefreshes() = 0;
    // The Space of the screenshot capture target, else the app-icon controller's current one.
    virtual std::optional<OSDGridSpaceContext> currentGridSpaceContext() = 0;

    // Editing and refresh
    // Captures the current Space for a shown grid, sooner when it has nothing cached yet.
    virtual void scheduleVisibleGridScreenCapture() = 0;
    // What runs once a shown grid of the placement display drew its first frame: its previews
    // are refreshed 1.25 s later unless `generation` is outdated by then.
    virtual std::function<void()>
    windowPreviewsAfterFirstRenderHandler(const std::optional<std::string>& placementDisplay,
                                          const DisplayPresentationSettingsSnapshot& settings,
                                          int64_t generation) = 0;
    // Refreshes the previews of the Spaces a visible grid shows, unless `generation` is old.
    virtual void
    scheduleVisibleGridWindowPreviewRefresh(const std::optional<std::string>& placementDisplay,
                                            const DisplayPresentationSettingsSnapshot& settings,
                                            const std::string& phase, int64_t generation) = 0;
};

} // namespace tessarin
