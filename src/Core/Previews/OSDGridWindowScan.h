#pragma once

#include "Core/Previews/OSDGridWindowApplicationInfo.h"
#include "Core/Previews/OSDGridWindowMetadataMetrics.h"
#include "Core/Previews/OSDGridWindowRecord.h"
#include "Core/Previews/OSDGridWindowSpaceIDCache.h"
#include "Model/Settings/OSDAppFilter.h"

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace tessarin {

// The windows of the visible Spaces of one display, as one scan of the window list found them.
struct OSDGridWindowScanResult {
    std::map<SpaceID, std::vector<OSDGridWindowRecord>> windowsBySpaceID;
    std::map<SpaceID, std::set<WindowID>> previewWindowIDsBySpaceID;
    OSDGridWindowMetadataMetrics metrics;
};

// A background scan's result, with the Space-ID cache it updated.
struct OSDGridWindowMetadataBackgroundResult {
    OSDGridWindowScanResult scan;
    OSDGridWindowSpaceIDCache spaceIDCacheByWindowID;
};

// Which windows count and where they sit.
namespace OSDGridWindowScan {

using ApplicationInfoLookup =
    std::function<std::optional<OSDGridWindowApplicationInfo>(const OSDGridWindowRecord&)>;

struct Rules {
    std::set<std::string> ignoredOwnerNames;
    std::set<int32_t> ignoredProcessIdentifiers;
    std::set<std::string> ignoredBundleIdentifiers; // tested only with application information
    OSDAppFilter appFilter;
};

// True when the IDs, without zeros and repeats, name exactly one Space.
bool isSpatialPreviewEligible(const std::vector<SpaceID>& spaceIDs);
// Whether the app filter hides the window: its application's name (else its owner), its title,
// then its owner, each with white space collapsed, trimmed and lower-cased.
bool isFilteredOut(const OSDGridWindowRecord& record,
                   const std::optional<OSDGridWindowApplicationInfo>& info,
                   const OSDAppFilter& filter);
// Layer 0, more than a point each way with finite bounds, and not all but transparent.
bool isShapeEligible(const OSDGridWindowRecord& record);

// One scan over a read window list. Without an application lookup (off the main thread) the
// bundle test is skipped and the filter tries the owner name first.
OSDGridWindowScanResult scan(const std::vector<OSDGridWindowRecord>& records,
                             const std::set<SpaceID>& visibleSpaceIDs, const Rules& rules,
                             TimeInterval now, OSDGridWindowSpaceIDCache& cache,
                             const OSDGridSpaceIDsProvider& spaceIDsProvider,
                             const ApplicationInfoLookup* applicationInfo);

// The scan off the main thread: the system's window list and bridge, on a copy of the cache.
OSDGridWindowMetadataBackgroundResult
collectDefaultWindowMetadata(const std::set<SpaceID>& visibleSpaceIDs,
                             OSDGridWindowSpaceIDCache spaceIDCacheByWindowID, const Rules& rules,
                             TimeInterval now);

} // namespace OSDGridWindowScan

} // namespace tessarin
