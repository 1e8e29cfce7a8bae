#include "Core/Previews/OSDGridWindowSpaceIDCache.h"

#include "Core/Previews/OSDGridWindowMetadataMetrics.h"

namespace tessarin::OSDGridWindowSpaceIDCaching {

namespace {

std::optional<std::vector<SpaceID>> nonEmpty(const std::vector<SpaceID>& ids) {
    return ids.empty() ? std::nullopt : std::optional(ids);
}

} // namespace

std::optional<std::vector<SpaceID>> cachedSpaceIDs(OSDGridWindowSpaceIDCache& cache,
                                                   WindowID window, TimeInterval now,
                                                   const OSDGridSpaceIDsProvider& provider,
                                                   OSDGridWindowMetadataMetrics& metrics) {
    if (const auto it = cache.find(window); it != cache.end() && it->second.isFresh(now)) {
        ++metrics.spaceIDCacheHits;
        return nonEmpty(it->second.spaceIDs);
    }
    ++metrics.spaceIDCacheMisses;
    OSDGridWindowSpaceIDCacheEntry entry{provider(window).value_or(std::vector<SpaceID>{}), now};
    auto result = nonEmpty(entry.spaceIDs);
    cache[window] = std::move(entry);
    return result;
}

void prune(OSDGridWindowSpaceIDCache& cache, const std::set<WindowID>& listedWindows,
           TimeInterval now) {
    std::erase_if(cache, [&](const auto& item) {
        return !listedWindows.contains(item.first) || !item.second.isFresh(now);
    });
}

} // namespace tessarin::OSDGridWindowSpaceIDCaching
