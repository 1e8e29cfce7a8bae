#pragma once

#include "Platform/WindowServerTypes.h"
#include "Support/Clock.h"

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <vector>

namespace tessarin {

struct OSDGridWindowMetadataMetrics;

// The Spaces of one window as looked up at `timestamp` (possibly none).
struct OSDGridWindowSpaceIDCacheEntry {
    std::vector<SpaceID> spaceIDs;
    TimeInterval timestamp = 0;

    static constexpr TimeInterval lifetime = 30.0;
    bool isFresh(TimeInterval now) const { return now - timestamp < lifetime; }
    friend bool operator==(const OSDGridWindowSpaceIDCacheEntry&,
                           const OSDGridWindowSpaceIDCacheEntry&) = default;
};

using OSDGridWindowSpaceIDCache = std::map<WindowID, OSDGridWindowSpaceIDCacheEntry>;
using OSDGridSpaceIDsProvider = std::function<std::optional<std::vector<SpaceID>>(WindowID)>;

// The window-to-Spaces lookup behind a 30 s cache, which also remembers windows without Spaces,
// so the bridge is asked at most once per window in that time.
namespace OSDGridWindowSpaceIDCaching {

std::optional<std::vector<SpaceID>> cachedSpaceIDs(OSDGridWindowSpaceIDCache& cache,
                                                   WindowID window, TimeInterval now,
                                                   const OSDGridSpaceIDsProvider& provider,
                                                   OSDGridWindowMetadataMetrics& metrics);
// Keeps the fresh entries of the windows still listed.
void prune(OSDGridWindowSpaceIDCache& cache, const std::set<WindowID>& listedWindows,
           TimeInterval now);

} // namespace OSDGridWindowSpaceIDCaching

} // namespace tessarin
