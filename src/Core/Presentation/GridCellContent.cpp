#include "Core/Presentation/GridCellContent.h"

namespace tessarin {

GridIconStackMap resolvedGridAppIconStackMap(GridIconStackMap cachedStacks,
                                             const std::set<int64_t>& imageIndices,
                                             bool imagesWanted, bool appIconsEnabled) {
    if (!imagesWanted) {
        return appIconsEnabled ? std::move(cachedStacks) : GridIconStackMap{};
    }
    std::erase_if(cachedStacks,
                  [&](const auto& entry) { return imageIndices.count(entry.first) == 0; });
    return cachedStacks;
}

GridIconMap mergedGridAppIconMap(const GridIconMap& cachedIcons,
                                 const std::set<int64_t>& visitedIndices, int64_t cellCount,
                                 const std::optional<OSDGridAppIconEntry>& fallback) {
    GridIconMap merged;
    for (const auto& [index, icon] : cachedIcons) {
        if (index >= 0 && index < cellCount) {
            merged.emplace(index, icon);
        }
    }
    if (!fallback) {
        return merged;
    }
    for (int64_t index : visitedIndices) {
        if (index >= 0 && index < cellCount) {
            merged.emplace(index, *fallback); // keeps a cached icon
        }
    }
    return merged;
}

GridImageMap overlaidGridImageMap(const GridImageMap& screenshots, const GridImageMap& previews) {
    GridImageMap images = screenshots;
    images.insert(previews.begin(), previews.end()); // a screenshot wins
    return images;
}

} // namespace tessarin
