#pragma once

#include "Model/Spaces/DisplaySpaceOrderStore.h"
#include "Platform/Preferences/UserDefaults.h"

#include <string>
#include <vector>

namespace tessarin::testing {

// Short names for the cells of a display's layout.
inline DisplaySpaceSlot R(SpaceID id) {
    return DisplaySpaceSlot::realSpace(id);
}
inline const DisplaySpaceSlot P = DisplaySpaceSlot::makePlaceholder();
inline const DisplaySpaceSlot Pin = DisplaySpaceSlot::makePinnedPlaceholder();

// A layout as the store keeps it in the defaults, written out by hand so that tests of the
// store also check its encoding.
inline PropertyValue storedLayout(const std::vector<DisplaySpaceSlot>& slots) {
    PropertyArray entries;
    for (const DisplaySpaceSlot& slot : slots) {
        entries.push_back(PropertyDictionary{{"spaceID", PropertyValue(slot.spaceID)},
                                             {"kind", PropertyValue(rawValue(slot.kind))}});
    }
    return PropertyDictionary{{"version", PropertyValue(1)},
                              {"slots", PropertyValue(std::move(entries))}};
}

inline void writeLayout(UserDefaults& defaults, const std::string& displayIdentifier,
                        const std::vector<DisplaySpaceSlot>& slots) {
    defaults.set(DisplaySpaceOrderStore::layoutKey(displayIdentifier), storedLayout(slots));
}

} // namespace tessarin::testing
