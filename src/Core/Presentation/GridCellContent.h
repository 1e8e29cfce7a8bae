#pragma once

#include "UI/OSD/OSDGridAppIconEntry.h"
#include "UI/OSD/OSDGridScreenshotEntry.h"

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <vector>

namespace tessarin {

using GridIconStackMap = std::map<int64_t, std::vector<OSDGridAppIconEntry>>;
using GridIconMap = std::map<int64_t, OSDGridAppIconEntry>;
using GridImageMap = std::map<int64_t, OSDGridScreenshotEntry>;

// The icon stacks a grid shows: with images wanted, only over cells that have one; without
// images, all of them while app icons are on; otherwise none.
GridIconStackMap resolvedGridAppIconStackMap(GridIconStackMap cachedStacks,
                                             const std::set<int64_t>& imageIndices,
                                             bool imagesWanted, bool appIconsEnabled);

// Every cell in range keeps its cached icon; a visited cell (one with a cached icon or title)
// without one gets the fallback entry, when there is one.
GridIconMap mergedGridAppIconMap(const GridIconMap& cachedIcons,
                                 const std::set<int64_t>& visitedIndices, int64_t cellCount,
                                 const std::optional<OSDGridAppIconEntry>& fallback);

// Each cell's real screenshot where there is one, else its composed preview.
GridImageMap overlaidGridImageMap(const GridImageMap& screenshots, const GridImageMap& previews);

template <class Map> std::set<int64_t> keysOf(const Map& map) {
    std::set<int64_t> keys;
    for (const auto& entry : map) {
        keys.insert(entry.first);
    }
    return keys;
}

template <class Map> void eraseKeys(Map& map, const std::set<int64_t>& keys) {
    for (int64_t key : keys) {
        map.erase(key);
    }
}

} // namespace tessarin
