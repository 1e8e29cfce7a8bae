#pragma once

#include "Model/Spaces/DisplaySpaceSlot.h"
#include "Platform/WindowServerTypes.h"

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace tessarin {

// The Spaces of one display as the user arranged them: the window server's own order next to
// the visual layout (which may hold placeholders), with the indexes that map one to the other.
// Build it with `make` so the derived fields agree with the slots; compare field by field.
struct DisplaySpaceOrderSnapshot {
    std::string displayIdentifier;              // the display that owns the Spaces
    std::vector<SpaceID> systemOrderedSpaceIDs; // real Spaces in the window server's order
    std::vector<DisplaySpaceSlot> visualSlots;  // one per grid cell, in the user's order
    std::vector<SpaceID> visualOrderedSpaceIDs; // per visual index; 0 for a placeholder
    SpaceID activeSpaceID = 0;
    std::map<SpaceID, SpaceID> spaceIDReplacements; // old Space ID -> the ID that replaced it
    int activeVisualIndex = 0;
    std::vector<int> visualToSystemIndices;            // per visual index; -1 for no Space
    std::map<SpaceID, int> stableSpaceIDToVisualIndex; // real Spaces only
    std::map<SpaceID, int> stableSpaceIDToSystemIndex; // real Spaces only

    // Derives the index maps from the slots. The active visual index is that of the active
    // Space; when the active Space has no slot it is the first real slot (0 without one).
    static DisplaySpaceOrderSnapshot make(std::string displayIdentifier,
                                          std::vector<SpaceID> systemOrderedSpaceIDs,
                                          std::vector<DisplaySpaceSlot> visualSlots,
                                          SpaceID activeSpaceID,
                                          std::map<SpaceID, SpaceID> spaceIDReplacements = {});

    const std::string& identifier() const { return displayIdentifier; }
    int slotCount() const { return static_cast<int>(visualSlots.size()); }

    // The Space at a visual index; nothing for a placeholder or an index out of range.
    std::optional<SpaceID> spaceID(int visualIndex) const;
    // True when the slot at the visual index exists and is not a real Space.
    bool isPlaceholder(int visualIndex) const;
    // Visual indexes whose slot is not a real Space.
    std::set<int> placeholderIndices() const;
    // The system index of a visual index; -1 for a placeholder or an index out of range.
    int systemIndex(int visualIndex) const;

    friend bool operator==(const DisplaySpaceOrderSnapshot&,
                           const DisplaySpaceOrderSnapshot&) = default;
};

} // namespace tessarin
