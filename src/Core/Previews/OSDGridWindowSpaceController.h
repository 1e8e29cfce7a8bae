#pragma once

#include "Core/Previews/OSDGridAppIconSource.h"
#include "Core/Previews/OSDGridIconImage.h"
#include "Core/Previews/OSDGridRefreshTask.h"
#include "Core/Previews/OSDGridWindowApplicationInfo.h"
#include "Core/Previews/OSDGridWindowScan.h"
#include "Core/Previews/OSDGridWindowSpaceEntry.h"
#include "Core/SpaceModel/DisplaySpaceOrderSnapshot.h"
#include "UI/OSD/OSDGridAppIconEntry.h"

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace tessarin {

class BackgroundWork;

// Which application windows sit on which Space of a display: reads the window list, keeps the
// windows that count, finds their Spaces through a 30 s cache per window, and stores one entry
// per visible Space (the application standing for it, the windows a preview may draw, its icon
// stack). Main thread only, except the background scan, which works on copies.
class OSDGridWindowSpaceController {
public:
    using Sources = std::map<SpaceID, OSDGridAppIconSource>;
    using WindowProvider = std::function<std::vector<OSDGridWindowRecord>()>;
    using ApplicationInfoProvider = std::function<std::optional<OSDGridWindowApplicationInfo>(
        int32_t processIdentifier, const std::string& ownerName)>;
    using AppFilterProvider = std::function<OSDAppFilter()>;
    using FinderIconProvider = std::function<std::optional<OSDGridAppIconEntry>()>;

    static constexpr const char* finderBundleIdentifier = "com.apple.finder";
    static constexpr const char* finderName = "Finder";

    explicit OSDGridWindowSpaceController(AppFilterProvider appFilterProvider);

    // Providers, the system's by default; tests replace them.
    WindowProvider windowProvider;
    OSDGridSpaceIDsProvider spaceIDsProvider;
    ApplicationInfoProvider applicationInfoProvider;
    std::function<bool()> previewCaptureAvailabilityProvider;
    AppFilterProvider appFilterProvider;
    std::function<TimeInterval()> dateProvider;
    FinderIconProvider finderIconProvider;
    std::set<std::string> ignoredOwnerNames{"Tessarin", "Dock"};
    std::set<std::string> ignoredBundleIdentifiers;
    std::set<int32_t> ignoredProcessIdentifiers;

    // Scans at once on the main thread and stores the visible Spaces' entries.
    Sources refreshMetadata(const DisplaySpaceOrderSnapshot& snapshot);
    // Scans on the background work's executor and applies the result on the main queue, unless
    // the task was cancelled meanwhile (then nothing changes and the sources are empty). With no
    // visible Space the completion runs at once with no sources.
    void refreshMetadataInBackground(const DisplaySpaceOrderSnapshot& snapshot,
                                     BackgroundWork& work, OSDGridRefreshTask task,
                                     std::function<void(Sources)> completion);
    // Moves entries to the Space IDs that replaced theirs.
    void remapSpaceIDs(const std::map<SpaceID, SpaceID>& replacements,
                       const std::string& displayIdentifier);

    const std::map<std::string, OSDGridWindowSpaceDisplayCache>& cacheByDisplayIdentifier() const {
        return cacheByDisplayIdentifier_;
    }
    std::optional<OSDGridWindowSpaceEntry> entry(const std::string& displayIdentifier,
                                                 SpaceID spaceID) const;
    const OSDGridWindowSpaceIDCache& spaceIDCacheByWindowID() const {
        return spaceIDCacheByWindowID_;
    }

    // Larger area first; on equal areas the window further back in the list.
    static bool windowPrecedence(const OSDGridWindowRecord& a, const OSDGridWindowRecord& b);
    // Back to front: off-screen windows first, then on-screen ones from the back-most.
    static bool spatialWindowCapturePrecedence(const OSDGridWindowPreviewCandidate& a,
                                               const OSDGridWindowPreviewCandidate& b);
    static std::set<SpaceID> visibleSpaceIDs(const DisplaySpaceOrderSnapshot& snapshot);

private:
    using InfoCache =
        std::map<OSDGridWindowApplicationKey, std::optional<OSDGridWindowApplicationInfo>>;
    struct Refresh;

    Sources applyWindowMetadata(const OSDGridWindowScanResult& scan,
                                const std::set<SpaceID>& visibleSpaceIDs,
                                const DisplaySpaceOrderSnapshot& snapshot, Refresh& refresh);
    std::optional<OSDGridWindowSpaceEntry> makeEntry(std::vector<OSDGridWindowRecord> windows,
                                                     const std::set<WindowID>& previewWindowIDs,
                                                     const std::string& displayIdentifier,
                                                     SpaceID spaceID, Refresh& refresh) const;
    OSDGridWindowSpaceEntry windowlessEntry() const;
    std::map<WindowID, int64_t> cachedPreviewOnScreenIndices(const std::string& displayIdentifier,
                                                             SpaceID spaceID) const;
    OSDGridWindowScan::Rules rules(const OSDAppFilter& filter) const;

    std::map<std::string, OSDGridWindowSpaceDisplayCache> cacheByDisplayIdentifier_;
    OSDGridWindowSpaceIDCache spaceIDCacheByWindowID_;
    mutable OSDGridIconImage::Cache stackIcons_;
    // Lets a background result that comes back after the controller went do nothing.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

} // namespace tessarin
