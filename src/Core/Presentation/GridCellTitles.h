#pragma once

#include "Core/Presentation/OSDGridSpaceTitleEntry.h"
#include "Model/Spaces/DisplaySpaceOrderSnapshot.h"

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>

namespace tessarin {

// What the titles of a grid's cells are made of.
struct GridCellTitleSources {
    int cellCount = 0;
    const DisplaySpaceOrderSnapshot* snapshot = nullptr;
    // Direct-slot names by visual index (0 to 9).
    std::map<int, std::string> customNames;
    // Cells whose content is hidden; they never show a window or app name.
    std::set<int> obscuredIndices;
    // By visual index; not owned.
    const std::map<int64_t, OSDGridSpaceTitleEntry>* cachedTitleEntries = nullptr;
    // The system's title of the Space at a system index, if it has one.
    std::function<std::optional<std::string>(int systemIndex)> systemTitle;
};

// The title of each cell by visual index; the first that is not blank wins: a placeholder's
// slot name (else no title), the slot name, "Space NN" for an obscured cell, the cached window
// title, the cached app name, the system's Space title, "Space " and the cell number.
std::map<int64_t, std::string> resolveGridCellTitles(const GridCellTitleSources& sources);

} // namespace tessarin
