#pragma once

#include "Core/Previews/OSDGridAppIconSource.h"
#include "Core/Previews/OSDGridIconImage.h"
#include "Core/Previews/OSDGridIconStack.h"
#include "Core/Previews/OSDGridRefreshTask.h"
#include "Core/Previews/OSDGridSyntheticPreviewEntry.h"
#include "Core/Previews/OSDGridSyntheticPreviewKey.h"
#include "Core/Previews/OSDGridWindowApplicationInfo.h"
#include "Core/Previews/OSDGridWindowPreviewRenderSignature.h"
#include "Core/Previews/OSDGridWindowScan.h"
#include "Core/Previews/OSDGridWindowSpaceEntry.h"
#include "Model/Spaces/DisplaySpaceOrderSnapshot.h"
#include "Platform/Screen.h"
#include "UI/OSD/OSDGridAppIconEntry.h"
#include "UI/OSD/OSDGridScreenshotEntry.h"
#include "UI/OSD/OSDGridSpaceContext.h"

#include <QImage>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace tessarin {

class DesktopBackgroundImages;

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

    // Finder's icon for Spaces without windows: asked of the provider once and shared by every
    // such Space, since the picture does not change during a run.
    const std::optional<OSDGridAppIconEntry>& finderIcon() const;

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

    // Window preview capture: composed previews of each Space's windows, keyed by the display
    // showing them and the Space, captured only when what they were composed from changed.
    using PreviewCaptureCompletion = std::function<void(std::optional<QImage>)>;
    // The candidates, the preview's screen and that screen's window-server frame as read at the
    // request, which the stored picture's signature holds too.
    using PreviewCaptureHandler = std::function<void(
        const std::vector<OSDGridWindowPreviewCandidate>&, const std::optional<Screen>&,
        const std::optional<Rect>& displayFrame, PreviewCaptureCompletion)>;
    // Performs one capture and calls the completion on the main queue. Until the delegate
    // installs `defaultPreviewCaptureHandler(work)` it completes at once with no image.
    PreviewCaptureHandler previewCaptureHandler;
    // Captures each window through the host's screen capture and composes them off the main
    // thread on `work`'s executor, one Space after another; `work` must outlive every capture
    // started through it.
    static PreviewCaptureHandler defaultPreviewCaptureHandler(BackgroundWork& work);
    // Starts a capture for every requested Space whose preview is due, and answers their
    // contexts in the order started. Per capture: `onRequest` at once, later `onCompletion`,
    // then `onUpdate` only when a new picture was stored.
    std::vector<OSDGridSpaceContext> requestPreviewCaptures(
        const DisplaySpaceOrderSnapshot& snapshot, const std::string& previewDisplayIdentifier,
        const std::optional<Screen>& screen, const std::set<SpaceID>& missingSpaceIDs,
        bool previewsEnabled, bool forceRefresh,
        std::function<void(const OSDGridSpaceContext&)> onRequest,
        std::function<void(const OSDGridSpaceContext&)> onUpdate,
        std::function<void(const OSDGridSpaceContext&, bool stored)> onCompletion);
    // Stores the picture unless there is none or an equal entry is stored; true when stored.
    bool recordPreview(const std::optional<QImage>& image,
                       const OSDGridWindowPreviewRenderSignature& renderSignature, SpaceID spaceID,
                       const std::string& previewDisplayIdentifier);
    // Stores the preview of a Space that holds no window, as one just made: the screen's desktop
    // picture alone, which is known at once, under the signature a capture of no windows has.
    // Its cell shows the picture before any capture ran, and that capture then finds nothing
    // changed. True when stored.
    bool recordWindowlessPreview(SpaceID spaceID, const std::string& previewDisplayIdentifier,
                                 const std::optional<Screen>& screen);
    // The candidates whose application name or window title the filter does not match.
    static std::vector<OSDGridWindowPreviewCandidate>
    filteredPreviewCandidates(const std::vector<OSDGridWindowPreviewCandidate>& candidates,
                              const OSDAppFilter& filter);
    static OSDGridWindowPreviewRenderSignature
    renderSignature(const std::vector<OSDGridWindowPreviewCandidate>& filteredCandidates,
                    const std::optional<Rect>& displayFrame);
    // Stacks of at least two icons after the current filter, by cell position.
    std::map<int, OSDGridIconStackEntries>
    iconStackMap(const std::string& displayIdentifier,
                 const std::vector<SpaceID>& orderedSpaceIDs) const;
    // Composed previews of the cells shown on a display, by cell position.
    std::map<int, OSDGridScreenshotEntry>
    previewMap(const std::string& previewDisplayIdentifier,
               const std::vector<SpaceID>& orderedSpaceIDs) const;
    // Drops what the current app filter hides from the window entries; composed previews stay.
    bool pruneFilteredEntries();
    // Forgets every composed preview and every capture in flight, as after a change of the app
    // filter: the same Spaces may be captured again at once, and a forgotten capture's late
    // completion stores nothing and calls back nobody.
    void clearPreviews();
    void remapPreviewSpaceIDs(const std::map<SpaceID, SpaceID>& replacements,
                              const std::string& previewDisplayIdentifier);
    bool isPreviewInFlight(const OSDGridSyntheticPreviewKey& key) const;
    const std::map<std::string, OSDGridSyntheticPreviewDisplayCache>&
    previewCacheByDisplayIdentifier() const {
        return previewCacheByDisplayIdentifier_;
    }
    // Moves entries from replaced Space IDs to their replacements, over any entry there; pairs
    // with a 0 or equal IDs are ignored. True when an entry moved.
    template <typename Entry>
    static bool remapEntries(std::map<SpaceID, Entry>& entries,
                             const std::map<SpaceID, SpaceID>& replacements) {
        bool moved = false;
        for (const auto& [from, to] : replacements) {
            const auto it = entries.find(from);
            if (from == 0 || to == 0 || from == to || it == entries.end()) {
                continue;
            }
            Entry entry = std::move(it->second);
            entries.erase(it);
            entries.insert_or_assign(to, std::move(entry));
            moved = true;
        }
        return moved;
    }
    // One line naming each Space's application and window title, for the metadata debug line.
    static std::string describeSources(const Sources& sources);

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
    mutable std::optional<std::optional<OSDGridAppIconEntry>> finderIcon_;
    // Window preview capture.
    struct PendingPreview;
    // Starts each capture at once; the default handler runs them one Space at a time.
    static PreviewCaptureHandler
    immediatePreviewCaptureHandler(BackgroundWork& work,
                                   std::shared_ptr<DesktopBackgroundImages> backgrounds);
    void completePreviewCapture(const PendingPreview& pending, const std::optional<QImage>& image);
    std::map<std::string, OSDGridSyntheticPreviewDisplayCache> previewCacheByDisplayIdentifier_;
    std::set<OSDGridSyntheticPreviewKey> inFlightPreviewKeys_;
    uint64_t previewGeneration_ = 0; // advanced by clearPreviews

    // Lets a background result that comes back after the controller went do nothing.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

} // namespace tessarin
