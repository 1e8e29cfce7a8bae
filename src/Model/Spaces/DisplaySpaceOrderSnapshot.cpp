#include "Model/Spaces/DisplaySpaceOrderSnapshot.h"

#include <utility>

namespace tessarin {

DisplaySpaceOrderSnapshot
DisplaySpaceOrderSnapshot::make(std::string displayIdentifier,
                                std::vector<SpaceID> systemOrderedSpaceIDs,
                                std::vector<DisplaySpaceSlot> visualSlots, SpaceID activeSpaceID,
                                std::map<SpaceID, SpaceID> spaceIDReplacements) {
    DisplaySpaceOrderSnapshot snapshot;
    snapshot.displayIdentifier = std::move(displayIdentifier);
    snapshot.systemOrderedSpaceIDs = std::move(systemOrderedSpaceIDs);
    snapshot.visualSlots = std::move(visualSlots);
    snapshot.activeSpaceID = activeSpaceID;
    snapshot.spaceIDReplacements = std::move(spaceIDReplacements);

    for (std::size_t index = 0; index < snapshot.systemOrderedSpaceIDs.size(); ++index) {
        snapshot.stableSpaceIDToSystemIndex.emplace(snapshot.systemOrderedSpaceIDs[index],
                                                    static_cast<int>(index));
    }

    const auto count = snapshot.visualSlots.size();
    snapshot.visualOrderedSpaceIDs.reserve(count);
    snapshot.visualToSystemIndices.reserve(count);
    std::optional<int> activeIndex;
    std::optional<int> firstRealIndex;
    for (std::size_t index = 0; index < count; ++index) {
        const auto& slot = snapshot.visualSlots[index];
        const int visualIndex = static_cast<int>(index);
        if (!slot.isReal()) {
            snapshot.visualOrderedSpaceIDs.push_back(0);
            snapshot.visualToSystemIndices.push_back(-1);
            continue;
        }
        snapshot.visualOrderedSpaceIDs.push_back(slot.spaceID);
        const auto system = snapshot.stableSpaceIDToSystemIndex.find(slot.spaceID);
        snapshot.visualToSystemIndices.push_back(
            system == snapshot.stableSpaceIDToSystemIndex.end() ? -1 : system->second);
        snapshot.stableSpaceIDToVisualIndex.emplace(slot.spaceID, visualIndex);
        if (!firstRealIndex) {
            firstRealIndex = visualIndex;
        }
        if (!activeIndex && slot.spaceID == activeSpaceID) {
            activeIndex = visualIndex;
        }
    }
    snapshot.activeVisualIndex = activeIndex.value_or(firstRealIndex.value_or(0));
    return snapshot;
}

std::optional<SpaceID> DisplaySpaceOrderSnapshot::spaceID(int visualIndex) const {
    if (visualIndex < 0 || visualIndex >= slotCount()) {
        return std::nullopt;
    }
    const auto& slot = visualSlots[static_cast<std::size_t>(visualIndex)];
    if (!slot.isReal()) {
        return std::nullopt;
    }
    return slot.spaceID;
}

bool DisplaySpaceOrderSnapshot::isPlaceholder(int visualIndex) const {
    if (visualIndex < 0 || visualIndex >= slotCount()) {
        return false;
    }
    return visualSlots[static_cast<std::size_t>(visualIndex)].isPlaceholder();
}

std::set<int> DisplaySpaceOrderSnapshot::placeholderIndices() const {
    std::set<int> indices;
    for (int index = 0; index < slotCount(); ++index) {
        if (visualSlots[static_cast<std::size_t>(index)].isPlaceholder()) {
            indices.insert(index);
        }
    }
    return indices;
}

int DisplaySpaceOrderSnapshot::systemIndex(int visualIndex) const {
    if (visualIndex < 0 || visualIndex >= static_cast<int>(visualToSystemIndices.size())) {
        return -1;
    }
    return visualToSystemIndices[static_cast<std::size_t>(visualIndex)];
}

} // namespace tessarin
