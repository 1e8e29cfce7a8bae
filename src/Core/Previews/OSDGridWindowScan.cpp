#include "Core/Previews/OSDGridWindowScan.h"

#include "Core/Previews/OSDGridWindowList.h"
#include "Support/Text.h"

#include <cmath>

namespace tessarin::OSDGridWindowScan {

bool isSpatialPreviewEligible(const std::vector<SpaceID>& spaceIDs) {
    std::set<SpaceID> distinct(spaceIDs.begin(), spaceIDs.end());
    distinct.erase(0);
    return distinct.size() == 1;
}

bool isFilteredOut(const OSDGridWindowRecord& record,
                   const std::optional<OSDGridWindowApplicationInfo>& info,
                   const OSDAppFilter& filter) {
    if (filter.entries.empty()) {
        return false;
    }
    const std::optional<std::string> first =
        info ? info->displayName.value_or(record.ownerName) : record.ownerName;
    return filter.matchesCandidate(first) || filter.matchesCandidate(record.title) ||
           filter.matchesCandidate(record.ownerName);
}

bool isShapeEligible(const OSDGridWindowRecord& record) {
    const Size& size = record.bounds.size;
    if (record.layer != 0 || !std::isfinite(record.bounds.origin.x) ||
        !std::isfinite(record.bounds.origin.y) || !std::isfinite(size.width) ||
        !std::isfinite(size.height)) {
        return false;
    }
    return size.width > 1 && size.height > 1 && record.area() > 1 && record.alpha > 0.01;
}

namespace {

bool isEligible(const OSDGridWindowRecord& record, const Rules& rules,
                const ApplicationInfoLookup* applicationInfo) {
    if (!isShapeEligible(record) || rules.ignoredOwnerNames.contains(record.ownerName) ||
        rules.ignoredProcessIdentifiers.contains(record.processIdentifier)) {
        return false;
    }
    std::optional<OSDGridWindowApplicationInfo> info;
    if (applicationInfo != nullptr) {
        info = (*applicationInfo)(record);
        if (info && info->bundleIdentifier &&
            rules.ignoredBundleIdentifiers.contains(*info->bundleIdentifier)) {
            return false;
        }
    }
    return !isFilteredOut(record, info, rules.appFilter);
}

} // namespace

OSDGridWindowScanResult scan(const std::vector<OSDGridWindowRecord>& records,
                             const std::set<SpaceID>& visibleSpaceIDs, const Rules& rules,
                             TimeInterval now, OSDGridWindowSpaceIDCache& cache,
                             const OSDGridSpaceIDsProvider& spaceIDsProvider,
                             const ApplicationInfoLookup* applicationInfo) {
    OSDGridWindowScanResult result;
    OSDGridWindowMetadataMetrics& metrics = result.metrics;
    metrics.totalWindowCount = static_cast<int64_t>(records.size());
    std::set<WindowID> listed;
    for (const OSDGridWindowRecord& record : records) {
        listed.insert(record.windowID);
    }
    OSDGridWindowSpaceIDCaching::prune(cache, listed, now);

    for (const OSDGridWindowRecord& record : records) {
        if (!isEligible(record, rules, applicationInfo)) {
            continue;
        }
        ++metrics.eligibleWindowCount;
        const auto spaceIDs = OSDGridWindowSpaceIDCaching::cachedSpaceIDs(
            cache, record.windowID, now, spaceIDsProvider, metrics);
        if (!spaceIDs) {
            continue;
        }
        std::vector<SpaceID> visible;
        for (const SpaceID id : *spaceIDs) {
            if (visibleSpaceIDs.contains(id) &&
                std::find(visible.begin(), visible.end(), id) == visible.end()) {
                visible.push_back(id);
            }
        }
        if (visible.empty()) {
            continue;
        }
        ++metrics.mappedWindowCount;
        bool candidate = false;
        if (!isSpatialPreviewEligible(*spaceIDs)) {
            ++metrics.previewExcludedMultiSpaceWindowCount;
        } else if (record.sharingState != 0) {
            ++metrics.previewCandidateWindowCount;
            candidate = true;
        }
        for (const SpaceID id : visible) {
            result.windowsBySpaceID[id].push_back(record);
            if (candidate) {
                result.previewWindowIDsBySpaceID[id].insert(record.windowID);
            }
        }
    }
    return result;
}

OSDGridWindowMetadataBackgroundResult
collectDefaultWindowMetadata(const std::set<SpaceID>& visibleSpaceIDs,
                             OSDGridWindowSpaceIDCache spaceIDCacheByWindowID, const Rules& rules,
                             TimeInterval now) {
    OSDGridWindowMetadataBackgroundResult result;
    const std::vector<OSDGridWindowRecord> records = OSDGridWindowList::defaultWindowProvider();
    result.scan = scan(records, visibleSpaceIDs, rules, now, spaceIDCacheByWindowID,
                       &OSDGridWindowList::defaultSpaceIDsProvider, nullptr);
    result.spaceIDCacheByWindowID = std::move(spaceIDCacheByWindowID);
    return result;
}

} // namespace tessarin::OSDGridWindowScan
