#include "Core/Previews/OSDGridWindowSpaceController.h"

#include "Core/Previews/OSDGridFinderFallbackIcon.h"
#include "Core/Previews/OSDGridIconStack.h"
#include "Core/Previews/OSDGridScreenshotMetrics.h"
#include "Core/Previews/OSDGridWindowDiagnostics.h"
#include "Core/Previews/OSDGridWindowList.h"
#include "Model/Spaces/TessarinSpaceDiagnostics.h"
#include "Platform/Host.h"
#include "Platform/Program/ProgramBundle.h"
#include "Platform/ScreenCapture/ApplicationIcons.h"
#include "Platform/SystemServices.h"
#include "Support/BackgroundWork.h"
#include "Support/MainQueue.h"

#include <algorithm>
#include <chrono>
#include <unistd.h>

namespace tessarin {

namespace {

double secondsNow() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

std::optional<OSDGridWindowApplicationInfo> systemApplicationInfo(int32_t pid,
                                                                  const std::string& owner) {
    Host& host = Host::current();
    OSDGridWindowApplicationInfo info;
    info.displayName = owner;
    if (const auto app = host.system().runningApplication(pid)) {
        info.bundleIdentifier = app->bundleIdentifier;
        info.displayName = app->localizedName.value_or(owner);
        info.icon = host.applicationIcons().icon(pid);
    }
    return info;
}

} // namespace

// The state one refresh carries from the scan to the apply step.
struct OSDGridWindowSpaceController::Refresh {
    double startTime = 0;
    OSDAppFilter appFilter;
    OSDGridWindowMetadataMetrics metrics;
    InfoCache infoCache;
    const ApplicationInfoProvider* provider = nullptr;

    std::optional<OSDGridWindowApplicationInfo> info(const OSDGridWindowRecord& record) {
        const OSDGridWindowApplicationKey key{record.processIdentifier, record.ownerName};
        if (const auto it = infoCache.find(key); it != infoCache.end()) {
            return it->second;
        }
        ++metrics.applicationInfoLookups;
        auto answer = (*provider)(record.processIdentifier, record.ownerName);
        infoCache.emplace(key, answer);
        return answer;
    }
};

OSDGridWindowSpaceController::OSDGridWindowSpaceController(AppFilterProvider filterProvider)
    : windowProvider(&OSDGridWindowList::defaultWindowProvider),
      spaceIDsProvider(&OSDGridWindowList::defaultSpaceIDsProvider),
      applicationInfoProvider(&systemApplicationInfo), previewCaptureAvailabilityProvider([] {
          const SystemServices& system = Host::current().system();
          return system.operatingSystemVersion().majorVersion >= 14 &&
                 system.preflightScreenCaptureAccess();
      }),
      appFilterProvider(std::move(filterProvider)),
      dateProvider([] { return Host::current().queue().absoluteTime(); }), finderIconProvider([] {
          return OSDGridFinderFallbackIcon::loadEntry(finderBundleIdentifier, finderName,
                                                      finderName);
      }),
      ignoredProcessIdentifiers{static_cast<int32_t>(::getpid())},
      previewCaptureHandler([](const std::vector<OSDGridWindowPreviewCandidate>&,
                               const std::optional<Screen>&, const std::optional<Rect>&,
                               PreviewCaptureCompletion completion) {
          MainQueue::main().async([completion] { completion(std::nullopt); });
      }) {
    if (const auto& identifier = Host::current().programBundle().identifier();
        identifier && !identifier->empty()) {
        ignoredBundleIdentifiers.insert(*identifier);
    }
}

std::set<SpaceID>
OSDGridWindowSpaceController::visibleSpaceIDs(const DisplaySpaceOrderSnapshot& snapshot) {
    std::set<SpaceID> ids(snapshot.visualOrderedSpaceIDs.begin(),
                          snapshot.visualOrderedSpaceIDs.end());
    ids.erase(0);
    return ids;
}

OSDGridWindowScan::Rules OSDGridWindowSpaceController::rules(const OSDAppFilter& filter) const {
    return {ignoredOwnerNames, ignoredProcessIdentifiers, ignoredBundleIdentifiers, filter};
}

OSDGridWindowSpaceController::Sources
OSDGridWindowSpaceController::refreshMetadata(const DisplaySpaceOrderSnapshot& snapshot) {
    Refresh refresh;
    refresh.startTime = secondsNow();
    const std::set<SpaceID> visible = visibleSpaceIDs(snapshot);
    if (visible.empty()) {
        return {};
    }
    OSDGridScreenshotMetrics::emit("window.metadata.started",
                                   {{"display", snapshot.displayIdentifier},
                                    {"visibleSpaces", std::to_string(visible.size())}});
    const TimeInterval now = dateProvider();
    refresh.appFilter = appFilterProvider();
    refresh.provider = &applicationInfoProvider;
    const OSDGridWindowScan::ApplicationInfoLookup lookup =
        [&refresh](const OSDGridWindowRecord& record) { return refresh.info(record); };
    OSDGridWindowScanResult scan =
        OSDGridWindowScan::scan(windowProvider(), visible, rules(refresh.appFilter), now,
                                spaceIDCacheByWindowID_, spaceIDsProvider, &lookup);
    // The scan's own counters start from zero; lookups made during it are kept.
    scan.metrics.applicationInfoLookups = refresh.metrics.applicationInfoLookups;
    refresh.metrics = scan.metrics;
    return applyWindowMetadata(scan, visible, snapshot, refresh);
}

void OSDGridWindowSpaceController::refreshMetadataInBackground(
    const DisplaySpaceOrderSnapshot& snapshot, BackgroundWork& work, OSDGridRefreshTask task,
    std::function<void(Sources)> completion) {
    const double startTime = secondsNow();
    const std::set<SpaceID> visible = visibleSpaceIDs(snapshot);
    if (visible.empty()) {
        completion({});
        return;
    }
    OSDGridScreenshotMetrics::emit("window.metadata.started",
                                   {{"display", snapshot.displayIdentifier},
                                    {"thread", "background"},
                                    {"visibleSpaces", std::to_string(visible.size())}});
    const TimeInterval now = dateProvider();
    const OSDAppFilter filter = appFilterProvider();
    OSDGridWindowScan::Rules scanRules = rules(filter);
    scanRules.ignoredBundleIdentifiers.clear(); // no application information off the main thread
    std::function<OSDGridWindowMetadataBackgroundResult()> scan =
        [visible, cache = spaceIDCacheByWindowID_, scanRules, now] {
            return OSDGridWindowScan::collectDefaultWindowMetadata(visible, cache, scanRules, now);
        };
    std::function<void(OSDGridWindowMetadataBackgroundResult)> deliver =
        [this, alive = std::weak_ptr<bool>(alive_), snapshot, visible, filter, startTime, task,
         completion](OSDGridWindowMetadataBackgroundResult result) {
            if (alive.expired() || task.isCancelled()) {
                completion({});
                return;
            }
            spaceIDCacheByWindowID_ = std::move(result.spaceIDCacheByWindowID);
            Refresh refresh;
            refresh.startTime = startTime;
            refresh.appFilter = filter;
            refresh.metrics = result.scan.metrics;
            refresh.provider = &applicationInfoProvider;
            completion(applyWindowMetadata(result.scan, visible, snapshot, refresh));
        };
    work.run(std::move(scan), std::move(deliver));
}

OSDGridWindowSpaceController::Sources OSDGridWindowSpaceController::applyWindowMetadata(
    const OSDGridWindowScanResult& scan, const std::set<SpaceID>& visible,
    const DisplaySpaceOrderSnapshot& snapshot, Refresh& refresh) {
    const std::string& display = snapshot.displayIdentifier;
    if (OSDGridWindowDiagnostics::isEnabled()) {
        std::map<SpaceID, std::vector<OSDGridWindowRecordFields>> records;
        for (const auto& [spaceID, windows] : scan.windowsBySpaceID) {
            records.emplace(spaceID, OSDGridWindowRecord::diagnosticFields(windows));
        }
        OSDGridWindowDiagnostics::debugWindowsBySpaceID(records, scan.previewWindowIDsBySpaceID,
                                                        visible, display);
    }
    std::map<SpaceID, OSDGridWindowSpaceEntry> fresh;
    for (const auto& [spaceID, windows] : scan.windowsBySpaceID) {
        const auto ids = scan.previewWindowIDsBySpaceID.find(spaceID);
        static const std::set<WindowID> none;
        if (auto entry =
                makeEntry(windows, ids == scan.previewWindowIDsBySpaceID.end() ? none : ids->second,
                          display, spaceID, refresh)) {
            fresh.emplace(spaceID, std::move(*entry));
        }
    }
    for (const SpaceID spaceID : visible) {
        if (!fresh.contains(spaceID)) {
            fresh.emplace(spaceID, windowlessEntry());
        }
    }
    Sources sources;
    OSDGridWindowSpaceDisplayCache& cache = cacheByDisplayIdentifier_[display];
    for (auto& [spaceID, entry] : fresh) {
        sources.emplace(spaceID, entry.source);
        cache.entries[spaceID] = std::move(entry);
    }
    const OSDGridWindowMetadataMetrics& m = refresh.metrics;
    OSDGridScreenshotMetrics::emit(
        "window.metadata.refreshed",
        {{"display", display},
         {"durationMs", OSDGridScreenshotMetrics::milliseconds(secondsNow() - refresh.startTime)},
         {"totalWindows", std::to_string(m.totalWindowCount)},
         {"eligibleWindows", std::to_string(m.eligibleWindowCount)},
         {"mappedWindows", std::to_string(m.mappedWindowCount)},
         {"previewCandidates", std::to_string(m.previewCandidateWindowCount)},
         {"previewExcludedMultiSpace", std::to_string(m.previewExcludedMultiSpaceWindowCount)},
         {"spaceIDCacheHits", std::to_string(m.spaceIDCacheHits)},
         {"spaceIDCacheMisses", std::to_string(m.spaceIDCacheMisses)},
         {"applicationInfoLookups", std::to_string(m.applicationInfoLookups)},
         {"visibleSpaces", std::to_string(visible.size())},
         {"spacesWithWindows", std::to_string(scan.windowsBySpaceID.size())},
         {"sourceCount", std::to_string(sources.size())}});
    if (TessarinSpaceDiagnostics::isEnabled()) {
        TessarinSpaceDiagnostics::logWindowMetadataRefreshed(
            display, std::vector<SpaceID>(visible.begin(), visible.end()),
            describeSources(sources));
    }
    return sources;
}

std::optional<OSDGridWindowSpaceEntry> OSDGridWindowSpaceController::makeEntry(
    std::vector<OSDGridWindowRecord> windows, const std::set<WindowID>& previewWindowIDs,
    const std::string& displayIdentifier, SpaceID spaceID, Refresh& refresh) const {
    if (!refresh.appFilter.entries.empty()) {
        std::erase_if(windows, [&](const OSDGridWindowRecord& record) {
            return OSDGridWindowScan::isFilteredOut(record, refresh.info(record),
                                                    refresh.appFilter);
        });
    }
    if (windows.empty()) {
        return std::nullopt;
    }
    std::stable_sort(windows.begin(), windows.end(), &windowPrecedence);
    OSDGridWindowSpaceEntry entry;
    const OSDGridWindowRecord& front = windows.front();
    const auto frontInfo = refresh.info(front);
    entry.source.bundleIdentifier = frontInfo ? frontInfo->bundleIdentifier : std::nullopt;
    entry.source.appDisplayName =
        frontInfo && frontInfo->displayName ? *frontInfo->displayName : front.ownerName;
    entry.source.windowTitle = front.title;
    entry.source.icon = frontInfo ? frontInfo->icon : std::nullopt;

    const auto previous = cachedPreviewOnScreenIndices(displayIdentifier, spaceID);
    for (const OSDGridWindowRecord& record : windows) {
        if (!previewWindowIDs.contains(record.windowID)) {
            continue;
        }
        const auto info = refresh.info(record);
        OSDGridWindowPreviewCandidate candidate{record.windowID, record.bounds, record.zIndex};
        candidate.onScreenIndex = record.onScreenIndex;
        if (!candidate.onScreenIndex) {
            if (const auto it = previous.find(record.windowID); it != previous.end()) {
                candidate.onScreenIndex = it->second;
            }
        }
        candidate.bundleIdentifier = info ? info->bundleIdentifier : std::nullopt;
        candidate.appIcon = info ? info->icon : std::nullopt;
        candidate.appDisplayName =
            info && info->displayName ? *info->displayName : record.ownerName;
        candidate.windowTitle = record.title;
        entry.previewCandidates.push_back(std::move(candidate));
    }
    auto& candidates = entry.previewCandidates;
    std::stable_sort(candidates.begin(), candidates.end(), &spatialWindowCapturePrecedence);
    if (candidates.size() > OSDGridWindowSpaceEntry::maximumPreviewCandidates) {
        candidates.erase(candidates.begin(),
                         candidates.end() - OSDGridWindowSpaceEntry::maximumPreviewCandidates);
    }
    entry.iconStack = OSDGridIconStack::make(
        windows, [&refresh](const OSDGridWindowRecord& record) { return refresh.info(record); },
        ignoredBundleIdentifiers, stackIcons_);
    return entry;
}

const std::optional<OSDGridAppIconEntry>& OSDGridWindowSpaceController::finderIcon() const {
    if (!finderIcon_) {
        finderIcon_ = finderIconProvider ? finderIconProvider() : std::nullopt;
    }
    return *finderIcon_;
}

OSDGridWindowSpaceEntry OSDGridWindowSpaceController::windowlessEntry() const {
    OSDGridWindowSpaceEntry entry;
    entry.source.bundleIdentifier = finderBundleIdentifier;
    entry.source.appDisplayName = finderName;
    entry.source.isWindowlessFallback = true;
    if (const auto& finder = finderIcon()) {
        entry.source.icon = finder->icon; // shares the one decoded picture
    }
    return entry;
}

std::map<WindowID, int64_t>
OSDGridWindowSpaceController::cachedPreviewOnScreenIndices(const std::string& displayIdentifier,
                                                           SpaceID spaceID) const {
    std::map<WindowID, int64_t> indices;
    const auto entry = this->entry(displayIdentifier, spaceID);
    if (!entry) {
        return indices;
    }
    for (const OSDGridWindowPreviewCandidate& candidate : entry->previewCandidates) {
        if (candidate.onScreenIndex) {
            indices[candidate.windowID] = *candidate.onScreenIndex;
        }
    }
    return indices;
}

std::optional<OSDGridWindowSpaceEntry>
OSDGridWindowSpaceController::entry(const std::string& displayIdentifier, SpaceID spaceID) const {
    const auto display = cacheByDisplayIdentifier_.find(displayIdentifier);
    if (display == cacheByDisplayIdentifier_.end()) {
        return std::nullopt;
    }
    const auto it = display->second.entries.find(spaceID);
    return it == display->second.entries.end() ? std::nullopt : std::optional(it->second);
}

void OSDGridWindowSpaceController::remapSpaceIDs(const std::map<SpaceID, SpaceID>& replacements,
                                                 const std::string& displayIdentifier) {
    const auto display = cacheByDisplayIdentifier_.find(displayIdentifier);
    if (displayIdentifier.empty() || replacements.empty() ||
        display == cacheByDisplayIdentifier_.end()) {
        return;
    }
    const bool moved = remapEntries(display->second.entries, replacements);
    if (moved) {
        TessarinSpaceDiagnostics::logWindowMetadataCacheRemapped(displayIdentifier, replacements);
    }
}

bool OSDGridWindowSpaceController::windowPrecedence(const OSDGridWindowRecord& a,
                                                    const OSDGridWindowRecord& b) {
    const double areaA = a.area();
    const double areaB = b.area();
    if (areaA != areaB) {
        return areaA > areaB;
    }
    return a.zIndex > b.zIndex;
}

bool OSDGridWindowSpaceController::spatialWindowCapturePrecedence(
    const OSDGridWindowPreviewCandidate& a, const OSDGridWindowPreviewCandidate& b) {
    if (a.onScreenIndex.has_value() != b.onScreenIndex.has_value()) {
        return !a.onScreenIndex.has_value();
    }
    if (a.onScreenIndex && *a.onScreenIndex != *b.onScreenIndex) {
        return *a.onScreenIndex > *b.onScreenIndex;
    }
    if (a.zIndex != b.zIndex) {
        return a.zIndex < b.zIndex;
    }
    if (a.area() != b.area()) {
        return a.area() > b.area();
    }
    return a.windowID < b.windowID;
}

} // namespace tessarin
