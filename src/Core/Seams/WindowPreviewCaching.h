#pragma once

#include "Core/Presentation/OSDGridSpaceTitleEntry.h"
#include "Core/Previews/WindowPreviewRefreshReason.h"
#include "Core/Previews/WindowPreviewRefreshRequest.h"
#include "Model/Seams/OSDPresentationMetricsRecording.h"
#include "Model/Settings/DisplayPresentationSettingsSnapshot.h"
#include "Model/Settings/OSDGridScreenshotTiming.h"
#include "Model/Spaces/DisplaySpaceOrderSnapshot.h"
#include "Platform/RunningApplication.h"
#include "Platform/WindowServerTypes.h"
#include "Support/Clock.h"
#include "UI/OSD/OSDGridAppIconEntry.h"
#include "UI/OSD/OSDGridScreenshotEntry.h"
#include "UI/OSD/OSDGridSpaceContext.h"

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
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
    // Application shell
    // The app-icon controller's current Space; when it has windows, the frontmost
    // application's title and icon are recorded for it.
    virtual std::optional<OSDGridSpaceContext> recordFrontmostApplicationForCurrentSpace() {
        return std::nullopt;
    }
    // Records the activated application's icon; the Space it was recorded for, if any.
    virtual std::optional<OSDGridSpaceContext>
    recordActivatedApplication(const std::optional<RunningApplication>&) {
        return std::nullopt;
    }
    // A Space was just made on the Space display: its previews, which show no window yet, are
    // stored at once, so its cell does not wait for a capture.
    virtual void recordNewSpacePreviews(const std::string& /*spaceDisplayIdentifier*/,
                                        SpaceID /*spaceID*/) {}
    // The app filter changed: both controllers drop filtered entries, and the composed previews
    // and their in-flight set are emptied.
    virtual void pruneFilteredEntries() {}
    // Captures the current Space after the delay resolved for the context (none: the pointer's
    // display), not from a visible grid.
    virtual void
    scheduleCurrentSpaceScreenshotCapture(const std::optional<OSDGridSpaceContext>& /*context*/) {
        scheduleCurrentSpaceScreenshotCapture();
    }
    // Refreshes the previews of the new Space and of the one before it (display and Space).
    virtual void scheduleWindowPreviewRefreshAfterSpaceChange(
        const std::optional<OSDGridSpaceContext>& /*currentContext*/,
        const std::optional<std::pair<std::string, SpaceID>>& /*previousSpace*/, double /*now*/) {}
    // Schedules every visible Space's preview for a reason, the first after `initialDelay`
    // and the rest spread over `spreadDuration` seconds; false when nothing was scheduled.
    virtual bool scheduleAllVisibleSpacePreviewRefreshes(WindowPreviewRefreshReason /*reason*/,
                                                         double /*initialDelay*/,
                                                         double /*spreadDuration*/) {
        return scheduleAllVisibleSpacePreviewRefreshes();
    }
    // Shell
    // Primes the preview schedule for the displays as they are now; none when no display
    // resolves, else the refreshes due at once. `randomFraction` yields 0...1, both included.
    virtual std::optional<std::vector<WindowPreviewRefreshRequest>>
    primeWindowPreviewsIfNeeded(OSDGridScreenshotTiming timing, TimeInterval now,
                                const std::function<double()>& randomFraction) = 0;
    // Refreshes the window-Space metadata of every display, then runs the requests; a newer call
    // overtakes a running one. With no requests it refreshes the metadata only when
    // `refreshesMetadataWhenRequestsAreEmpty` and no refresh with requests is running.
    virtual void
    refreshWindowSpaceMetadataAndPreviews(const std::vector<WindowPreviewRefreshRequest>& requests,
                                          OSDGridScreenshotTiming timing, bool allowsScreenCaptures,
                                          bool refreshesMetadataWhenRequestsAreEmpty) = 0;
    // When the next scheduled preview refresh is due (main-queue uptime), if any.
    virtual std::optional<TimeInterval> nextPreviewRefreshDeadline() = 0;
    virtual void performPeriodicGridScreenshotRefresh() = 0;
};

} // namespace tessarin
