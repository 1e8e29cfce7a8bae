#pragma once

#include "Model/Settings/OSDGridRearrangementBehavior.h"
#include "Model/Spaces/DisplaySpaceOrderSnapshot.h"
#include "Model/Spaces/DisplaySpaceSlot.h"
#include "Platform/WindowServerTypes.h"
#include "Support/Published.h"

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace tessarin {

class UserDefaults;

// The user's visual layout of each display's Spaces, kept in the user defaults under
// "spaceLayout.display." + identifier as {"version": 1, "slots": [{"spaceID", "kind"}]}. The
// older "spaceOrder.display." + identifier (a plain list of Space IDs) is still read, and
// removed by the first write.
//
// A layout is always resolved against the window server's live Spaces of the display: every
// real Space appears exactly once, Spaces that are gone drop out, and when the window server
// hands out new IDs for the same Spaces (restart, display change, wake) the old IDs are mapped
// to the new ones in the old system order, so the user's order survives. Every stored edit
// raises `revision` by one; an edit that changes nothing writes nothing.
class DisplaySpaceOrderStore {
public:
    static constexpr const char* layoutKeyPrefix = "spaceLayout.display.";
    static constexpr const char* legacyOrderKeyPrefix = "spaceOrder.display.";
    static constexpr int layoutVersion = 1;
    // Stored slots beyond this many are ignored (no display has that many Spaces).
    static constexpr int maximumStoredSlotCount = 256;

    // The highest direct slot (1...10) of a display that has a custom name, if any.
    using HighestNamedSlotIndexProvider =
        std::function<std::optional<int>(const std::string& displayIdentifier)>;

    struct ResolutionContext {
        // Space IDs that the window server lists on other displays right now.
        std::set<SpaceID> otherSpaceIDs;
        // Inside the stabilizer's recovery window, old IDs are mapped to new ones even when only
        // some of the display's Spaces were renumbered; outside it, only when all were.
        bool allowsRecoveryReplacements = false;
        // Placeholders are padded up to this many slots; none: the highest named direct slot
        // of the display.
        std::optional<int> pinnedSlotCount;
    };

    explicit DisplaySpaceOrderStore(UserDefaults& defaults,
                                    HighestNamedSlotIndexProvider highestNamedSlotIndex = {});
    DisplaySpaceOrderStore(const DisplaySpaceOrderStore&) = delete;
    DisplaySpaceOrderStore& operator=(const DisplaySpaceOrderStore&) = delete;

    // The app's store, over the current host's defaults and the shared direct-slot names.
    static DisplaySpaceOrderStore& shared();

    Published<int> revision{0};

    // Merges the live system order with the stored layout. With placeholders the stored
    // placeholder cells are kept and the layout is padded with pinned placeholders up to the
    // highest named direct slot; without them only real Spaces appear. A stored layout that
    // the merge changed (new or vanished Spaces, replaced IDs) is written back.
    DisplaySpaceOrderSnapshot snapshot(const std::string& displayIdentifier,
                                       const std::vector<SpaceID>& systemOrderedSpaceIDs,
                                       SpaceID activeSpaceID, bool usesPlaceholders,
                                       const ResolutionContext& context);
    DisplaySpaceOrderSnapshot snapshot(const std::string& displayIdentifier,
                                       const std::vector<SpaceID>& systemOrderedSpaceIDs,
                                       SpaceID activeSpaceID, bool usesPlaceholders) {
        return snapshot(displayIdentifier, systemOrderedSpaceIDs, activeSpaceID, usesPlaceholders,
                        ResolutionContext{});
    }

    // Moves the real Space at visual index `from` to `to`: onto a placeholder always by
    // exchange, onto a real Space by exchange (`swap`) or by shifting the cells between
    // (`shuffle`); past the last slot (below `virtualDestinationLimit`, placeholders only) the
    // layout grows to `to` and the cells left behind become placeholders. Trailing placeholders
    // beyond `minimumVisibleSlotCount` are dropped. Returns the stored layout, or nothing when
    // the move is refused or changes nothing.
    std::optional<DisplaySpaceOrderSnapshot>
    moveVisualOrder(int from, int to, OSDGridRearrangementBehavior behavior,
                    const std::string& displayIdentifier,
                    const std::vector<SpaceID>& systemOrderedSpaceIDs, SpaceID activeSpaceID,
                    bool usesPlaceholders, int virtualDestinationLimit,
                    int minimumVisibleSlotCount);

    // Removes the placeholder cell at a visual index. A pinned placeholder stays (its direct
    // slot is named). Returns the stored layout, or nothing.
    std::optional<DisplaySpaceOrderSnapshot>
    removePlaceholder(int index, const std::string& displayIdentifier,
                      const std::vector<SpaceID>& systemOrderedSpaceIDs, SpaceID activeSpaceID);

    // True when a layout or a legacy order is stored for the display.
    bool hasOverride(const std::string& displayIdentifier) const;
    // Removes both keys, so the display follows the system order again.
    void clearOverride(const std::string& displayIdentifier);

    // The stored slots as read (after normalisation), for inspection.
    std::optional<std::vector<DisplaySpaceSlot>>
    storedSlots(const std::string& displayIdentifier) const;

    static std::string layoutKey(const std::string& trimmedIdentifier);
    static std::string legacyOrderKey(const std::string& trimmedIdentifier);

private:
    struct StoredLayout {
        std::vector<DisplaySpaceSlot> slots;
        bool needsRewrite = false; // read from the legacy key or normalised
    };
    struct Resolution {
        std::vector<DisplaySpaceSlot> storable; // the merged layout in its stored form
        std::vector<DisplaySpaceSlot> visible;  // what the grid shows
        std::map<SpaceID, SpaceID> replacements;
    };
    struct DisplayMemory {
        std::map<SpaceID, int> lastSystemIndexes;
        std::set<SpaceID> lastOtherSpaceIDs;
    };

    std::optional<StoredLayout> readLayout(const std::string& identifier) const;
    Resolution resolve(const std::string& identifier, const std::optional<StoredLayout>& stored,
                       const std::vector<SpaceID>& systemSpaceIDs, bool usesPlaceholders,
                       const ResolutionContext& context) const;
    std::vector<DisplaySpaceSlot> visibleSlots(const std::vector<DisplaySpaceSlot>& storable,
                                               const std::set<SpaceID>& systemSet,
                                               bool usesPlaceholders, int pinnedSlotCount) const;
    int pinnedSlotCount(const std::string& identifier, const ResolutionContext& context) const;
    ResolutionContext rememberedContext(const std::string& identifier) const;
    void remember(const std::string& identifier, const std::vector<SpaceID>& systemSpaceIDs,
                  const ResolutionContext& context);
    // Writes the layout (and drops the legacy key) unless both are already as wanted; returns
    // whether anything was written.
    bool write(const std::string& identifier, const std::vector<DisplaySpaceSlot>& slots);
    std::optional<DisplaySpaceOrderSnapshot>
    storeEdited(const std::string& identifier, std::vector<DisplaySpaceSlot> slots,
                const std::vector<DisplaySpaceSlot>& previousStorable,
                const std::vector<SpaceID>& systemSpaceIDs, SpaceID activeSpaceID,
                bool usesPlaceholders);

    UserDefaults& defaults_;
    HighestNamedSlotIndexProvider highestNamedSlotIndex_;
    std::map<std::string, DisplayMemory> memory_;
};

} // namespace tessarin
