#pragma once

#include "Core/Previews/OSDGridIconStack.h"
#include "Model/Settings/OSDAppFilter.h"
#include "Platform/WindowServerTypes.h"
#include "UI/OSD/OSDGridScreenshotEntry.h"

#include <algorithm>
#include <iterator>
#include <map>
#include <string>
#include <vector>

namespace tessarin {

// The cell content of a display's grid as maps from cell position to content, read from the
// window-Space caches (display identifier, then Space ID -> entry). A display cache is any type
// with `entries`, a map from Space ID to its entry.

// Stacks of at least two icons after filtering, by cell position. Entries need `iconStack`.
template <typename DisplayCache>
std::map<int, OSDGridIconStackEntries>
iconStackMap(const std::map<std::string, DisplayCache>& cacheByDisplayIdentifier,
             const std::string& displayIdentifier, const std::vector<SpaceID>& orderedSpaceIDs,
             const OSDAppFilter& filter) {
    std::map<int, OSDGridIconStackEntries> map;
    const auto cache = cacheByDisplayIdentifier.find(displayIdentifier);
    if (displayIdentifier.empty() || orderedSpaceIDs.empty() ||
        cache == cacheByDisplayIdentifier.end()) {
        return map;
    }
    for (std::size_t i = 0; i < orderedSpaceIDs.size(); ++i) {
        const auto entry = cache->second.entries.find(orderedSpaceIDs[i]);
        if (entry == cache->second.entries.end()) {
            continue;
        }
        auto stack = OSDGridIconStack::filtered(entry->second.iconStack, filter);
        if (stack.size() >= 2) {
            map.emplace(static_cast<int>(i), std::move(stack));
        }
    }
    return map;
}

// The composed previews of the cells shown on one screen, by cell position; no age or filter
// test. Entries need `screenshot`.
template <typename DisplayCache>
std::map<int, OSDGridScreenshotEntry>
previewMap(const std::map<std::string, DisplayCache>& previewCacheByDisplayIdentifier,
           const std::string& previewDisplayIdentifier,
           const std::vector<SpaceID>& orderedSpaceIDs) {
    std::map<int, OSDGridScreenshotEntry> map;
    const auto cache = previewCacheByDisplayIdentifier.find(previewDisplayIdentifier);
    const bool hasRealSpace = std::any_of(orderedSpaceIDs.begin(), orderedSpaceIDs.end(),
                                          [](SpaceID id) { return id != 0; });
    if (previewDisplayIdentifier.empty() || !hasRealSpace ||
        cache == previewCacheByDisplayIdentifier.end()) {
        return map;
    }
    for (std::size_t i = 0; i < orderedSpaceIDs.size(); ++i) {
        const auto entry = cache->second.entries.find(orderedSpaceIDs[i]);
        if (entry != cache->second.entries.end()) {
            map.emplace(static_cast<int>(i), entry->second.screenshot);
        }
    }
    return map;
}

// Removes what the app filter now hides: a Space whose source application or window title
// matches goes; the others keep only unfiltered preview candidates and stack icons. Displays
// left empty go too. True when anything was removed or changed. Entries need `source`
// (`appDisplayName`, `windowTitle`), `previewCandidates` and `iconStack`; `filterCandidates`
// is the preview capture's candidate filter.
template <typename DisplayCache, typename FilterCandidates>
bool pruneFilteredEntries(std::map<std::string, DisplayCache>& cacheByDisplayIdentifier,
                          const OSDAppFilter& filter, const FilterCandidates& filterCandidates) {
    if (filter.entries.empty()) {
        return false;
    }
    bool changed = false;
    for (auto display = cacheByDisplayIdentifier.begin();
         display != cacheByDisplayIdentifier.end();) {
        auto& entries = display->second.entries;
        for (auto item = entries.begin(); item != entries.end();) {
            auto& entry = item->second;
            if (filter.matchEntries.empty()) {
                ++item;
                continue;
            }
            if (filter.matchesCandidate(entry.source.appDisplayName) ||
                filter.matchesCandidate(entry.source.windowTitle)) {
                item = entries.erase(item);
                changed = true;
                continue;
            }
            auto candidates = filterCandidates(entry.previewCandidates, filter);
            auto stack = OSDGridIconStack::filtered(entry.iconStack, filter);
            changed = changed || candidates != entry.previewCandidates || stack != entry.iconStack;
            entry.previewCandidates = std::move(candidates);
            entry.iconStack = std::move(stack);
            ++item;
        }
        display = entries.empty() ? cacheByDisplayIdentifier.erase(display) : std::next(display);
    }
    return changed;
}

} // namespace tessarin
