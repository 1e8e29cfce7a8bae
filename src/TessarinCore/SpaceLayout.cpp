#include "TessarinCore/SpaceLayout.h"

#include <algorithm>

namespace tessarin::bridge {

bool hasVisibleSpaces(const ManagedDisplaySpaces& entry) {
    return !entry.displayIdentifier.empty() && !entry.spaces.empty();
}

const ManagedDisplaySpaces* findSpaceList(const std::vector<ManagedDisplaySpaces>& lists,
                                          std::string_view displayIdentifier) {
    if (displayIdentifier.empty()) {
        return nullptr;
    }
    const ManagedDisplaySpaces* shared = nullptr;
    for (const ManagedDisplaySpaces& entry : lists) {
        if (entry.displayIdentifier == displayIdentifier) {
            return &entry;
        }
        if (entry.displayIdentifier == kSharedSpacesDisplayIdentifier) {
            shared = &entry;
        }
    }
    return shared;
}

const ManagedDisplaySpaces* firstListWithSpaces(const std::vector<ManagedDisplaySpaces>& lists) {
    const auto found = std::find_if(lists.begin(), lists.end(), hasVisibleSpaces);
    return found == lists.end() ? nullptr : &*found;
}

std::optional<uint32_t> indexOfSpace(const ManagedDisplaySpaces& entry, SpaceID spaceID) {
    for (std::size_t i = 0; i < entry.spaces.size(); ++i) {
        if (entry.spaces[i].id64 == spaceID) {
            return static_cast<uint32_t>(i);
        }
    }
    return std::nullopt;
}

std::optional<TessarinSpaceInfo> spaceInfo(const ManagedDisplaySpaces& entry,
                                           std::optional<SpaceID> activeSpace) {
    if (entry.spaces.empty() || entry.spaces.size() > UINT32_MAX) {
        return std::nullopt;
    }
    std::optional<SpaceID> current;
    if (entry.currentSpace) {
        current = entry.currentSpace->id64;
    } else {
        current = activeSpace;
    }
    if (!current || *current == 0) {
        return std::nullopt;
    }
    const auto index = indexOfSpace(entry, *current);
    if (!index) {
        return std::nullopt;
    }
    return TessarinSpaceInfo{*index, static_cast<uint32_t>(entry.spaces.size()), *current};
}

bool displaysHaveSeparateSpaces(uint32_t screenCount,
                                const std::optional<std::vector<ManagedDisplaySpaces>>& lists) {
    if (screenCount == 0 || !lists) {
        return true;
    }
    if (screenCount == 1) {
        const ManagedDisplaySpaces* first = firstListWithSpaces(*lists);
        return first == nullptr || first->displayIdentifier != kSharedSpacesDisplayIdentifier;
    }
    const auto withSpaces = std::count_if(lists->begin(), lists->end(), hasVisibleSpaces);
    return withSpaces > 1;
}

} // namespace tessarin::bridge
