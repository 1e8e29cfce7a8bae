#pragma once

#include "Core/Presentation/OSDGridSpaceTitleEntry.h"
#include "Core/Previews/OSDGridAppIconSource.h"
#include "Core/Previews/OSDGridIconImage.h"
#include "Model/Settings/OSDAppFilter.h"
#include "Model/Spaces/DisplaySpaceOrderSnapshot.h"
#include "Platform/RunningApplication.h"
#include "TessarinCore/TessarinCore.h"
#include "UI/OSD/OSDGridAppIconEntry.h"
#include "UI/OSD/OSDGridSpaceContext.h"

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>

namespace tessarin {

// The icon of the application last seen in front on each Space and the title of its window,
// per display and Space ID, and which Spaces were found to hold no windows. Main thread only;
// nothing expires.
class OSDGridAppIconController {
public:
    using DisplayIdentifierProvider = std::function<std::optional<std::string>()>;
    using SpaceInfoProvider = std::function<std::optional<TessarinSpaceInfo>()>;
    using SourceProvider = std::function<std::optional<OSDGridAppIconSource>()>;
    using AppFilterProvider = std::function<OSDAppFilter()>;

    OSDGridAppIconController(DisplayIdentifierProvider displayIdentifierProvider,
                             SpaceInfoProvider spaceInfoProvider,
                             SourceProvider frontmostSourceProvider,
                             std::set<std::string> ignoredBundleIdentifiers,
                             std::set<std::string> ignoredTitleBundleIdentifiers,
                             AppFilterProvider appFilterProvider);

    // The system's: the cursor's display (the shared list's identifier when displays share
    // Spaces), its Space information, and the frontmost application with its window's title.
    static DisplayIdentifierProvider defaultDisplayIdentifierProvider();
    static SpaceInfoProvider defaultSpaceInfoProvider();
    static SourceProvider defaultFrontmostSourceProvider();
    static std::set<std::string> makeDefaultIgnoredBundleIdentifiers();
    static std::set<std::string> makeDefaultIgnoredTitleBundleIdentifiers();
    // The focused (else main) window's title through Accessibility; none when not trusted.
    static std::optional<std::string> accessibilityWindowTitle(int32_t processIdentifier);

    std::optional<OSDGridSpaceContext> currentContext() const;
    bool isWindowlessSpace(const std::string& displayIdentifier, SpaceID spaceID) const;
    std::optional<OSDGridSpaceContext> recordFrontmostApplication();
    std::optional<OSDGridSpaceContext>
    recordActivatedApplication(const std::optional<RunningApplication>& application);
    // The window metadata's path: marks the Space, then records with the metadata's flags.
    void recordWindowMetadataSource(const OSDGridAppIconSource& source,
                                    const OSDGridSpaceContext& context);
    // Records each source under the Space's visual index in the snapshot, skipping Spaces the
    // snapshot does not show.
    void recordWindowMetadataSources(const std::map<SpaceID, OSDGridAppIconSource>& sources,
                                     const DisplaySpaceOrderSnapshot& snapshot);
    void setWindowlessSpace(bool windowless, const OSDGridSpaceContext& context);
    bool recordTitle(const std::optional<OSDGridAppIconSource>& source,
                     const OSDGridSpaceContext& context,
                     bool preservesExistingWindowTitleWhenMissing);
    bool recordIcon(const std::optional<OSDGridAppIconSource>& source,
                    const OSDGridSpaceContext& context, bool clearsIconWhenMissing);

    std::optional<OSDGridAppIconEntry> iconEntry(const std::string& displayIdentifier,
                                                 SpaceID spaceID) const;
    std::map<int64_t, OSDGridAppIconEntry>
    mappedIconEntries(const std::string& displayIdentifier,
                      const std::vector<SpaceID>& orderedSpaceIDs) const;
    std::map<int64_t, OSDGridSpaceTitleEntry>
    mappedTitleEntries(const std::string& displayIdentifier,
                       const std::vector<SpaceID>& orderedSpaceIDs) const;
    bool pruneFilteredEntries();
    void remapSpaceIDs(const std::map<SpaceID, SpaceID>& replacements,
                       const std::string& displayIdentifier);

private:
    bool shouldFilter(const OSDGridAppIconSource& source) const;
    std::optional<OSDGridAppIconEntry>
    makeEntry(const std::optional<OSDGridAppIconSource>& source) const;
    std::optional<OSDGridSpaceTitleEntry> makeTitleEntry(const OSDGridAppIconSource& source) const;
    bool shouldPreserveExistingWindowTitle(const std::optional<OSDGridSpaceTitleEntry>& existing,
                                           const OSDGridSpaceTitleEntry& incoming,
                                           const OSDGridAppIconSource& source,
                                           const OSDGridSpaceContext& context) const;
    bool clearRecordedMetadata(const std::string& displayIdentifier, SpaceID spaceID);
    std::optional<OSDGridSpaceContext> recordIfNotWindowless(const SourceProvider& source);

    DisplayIdentifierProvider displayIdentifierProvider_;
    SpaceInfoProvider spaceInfoProvider_;
    SourceProvider frontmostSourceProvider_;
    std::set<std::string> ignoredBundleIdentifiers_;
    std::set<std::string> ignoredTitleBundleIdentifiers_;
    AppFilterProvider appFilterProvider_;
    std::map<std::string, std::map<SpaceID, OSDGridAppIconEntry>> cacheByDisplayIdentifier_;
    std::map<std::string, std::map<SpaceID, OSDGridSpaceTitleEntry>> titleCacheByDisplayIdentifier_;
    std::map<std::string, std::set<SpaceID>> windowlessSpaceIDsByDisplayIdentifier_;
    // An application's Spaces share one recorded copy of its icon.
    mutable OSDGridIconImage::Cache icons_;
};

} // namespace tessarin
