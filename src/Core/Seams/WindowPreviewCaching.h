#pragma once

#include "Core/Presentation/OSDGridSpaceTitleEntry.h"
#include "Core/Seams/OSDPresentationMetricsRecording.h"
#include "Core/Settings/DisplayPresentationSettingsSnapshot.h"
#include "Core/SpaceModel/DisplaySpaceOrderSnapshot.h"
#include "Platform/WindowServerTypes.h"
#include "UI/OSD/OSDGridAppIconEntry.h"
#include "UI/OSD/OSDGridScreenshotEntry.h"
#include "Support/Clock.h"
#include "UI/OSD/OSDGridSpaceContext.h"
#include "UI/Settings/OSDGridScreenshotTiming.h"

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tessarin {

// A preview refresh that the schedule wants run: one Space of a Space display.
struct WindowPreviewRefreshRequest {
    std::string spaceDisplayIdentifier;
    SpaceID spaceID = 0;
    friend bool operator==(const WindowPreviewRefreshRequest&,
                           const WindowPreviewRefreshRequest&) = default;
};

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

    // Grid model content: the cached content of cells by grid index, for Space IDs in grid order
    // (0 for a placeholder, which never has content), and the refreshes around a shown grid.
    virtual std::map<int64_t, OSDGridSpaceTitleEntry>
    mappedTitleEntries(const std::string& displayIdentifier,
                       const std::vector<SpaceID>& orderedSpaceIDs) = 0;
    virtual std::map<int64_t, OSDGridAppIconEntry>
    mappedIconEntries(const std::string& displayIdentifier,
                      const std::vector<SpaceID>& orderedSpaceIDs) = 0;
    // The icon of a visited Space whose application is unknown; none when it cannot be loaded.
    virtual std::optional<OSDGridAppIconEntry> finderFallbackIconEntry() = 0;
    virtual std::map<int64_t, OSDGridScreenshotEntry>
    screenshotMap(const std::string& displayIdentifier,
                  const std::vector<SpaceID>& orderedSpaceIDs) = 0;
    // Composed window previews, kept under the display the grid is shown on.
    virtual std::map<int64_t, OSDGridScreenshotEntry>
    previewMap(const std::string& previewDisplayIdentifier,
               const std::vector<SpaceID>& orderedSpaceIDs) = 0;
    virtual std::map<int64_t, std::vector<OSDGridAppIconEntry>>
    iconStackMap(const std::string& displayIdentifier,
                 const std::vector<SpaceID>& orderedSpaceIDs) = 0;
    virtual void cancelPendingWindowSpaceMetadataRefresh() = 0;
    // What runs after a shown grid's first draw: the previews of its Spaces are refreshed a
    // little later, unless `generation` of the visible-grid refresh has moved on.
    virtual std::function<void()>
    windowPreviewsAfterFirstRenderHandler(const std::optional<std::string>& displayIdentifier,
                                          const DisplayPresentationSettingsSnapshot& settings,
                                          const OSDPresentationMetricsTraceRef& metricsTrace,
                                          int64_t generation) = 0;
    // After a grid has gone: the window metadata and the previews of its display.
    virtual void scheduleWindowSpaceMetadataAndPreviewRefresh(
        const std::optional<std::string>& displayIdentifier) = 0;
    // Editing and refresh
    // Captures the current Space for a shown grid, sooner when it has nothing cached yet.
    virtual void scheduleVisibleGridScreenCapture() = 0;
    // Refreshes the previews of the Spaces a visible grid shows, unless `generation` is old.
    virtual void
    scheduleVisibleGridWindowPreviewRefresh(const std::optional<std::string>& placementDisplay,
                                            const DisplayPresentationSettingsSnapshot& settings,
                                            const std::string& phase, int64_t generation) = 0;
    // Shell
    // Primes the preview schedule for the displays as they are now; none when no display
    // resolves, else the refreshes due at once. `randomFraction` yields 0...1, both included.
    virtual std::optional<std::vector<WindowPreviewRefreshRequest>>
    primeWindowPreviewsIfNeeded(OSDGridScreenshotTiming timing, TimeInterval now,
                                const std::function<double()>& randomFraction) = 0;
    // Brings the schedule in line with the displays as they are now; false when none resolves.
    virtual bool reconcilePreviewRefreshSchedule() = 0;
    // Refreshes the window-Space metadata and runs the requests; a newer generation overtakes.
    virtual void
    refreshWindowSpaceMetadataAndPreviews(const std::vector<WindowPreviewRefreshRequest>& requests,
                                          OSDGridScreenshotTiming timing, bool allowsScreenCaptures,
                                          std::int64_t generation) = 0;
    // When the next scheduled preview refresh is due (main-queue uptime), if any.
    virtual std::optional<TimeInterval> nextPreviewRefreshDeadline() = 0;
    virtual void performPeriodicGridScreenshotRefresh() = 0;
    // Records that the metadata refresh of start-up was left out, and why.
    virtual void recordWindowMetadataRefreshSkipped(const std::string& reason) = 0;
};

} // namespace tessarin
