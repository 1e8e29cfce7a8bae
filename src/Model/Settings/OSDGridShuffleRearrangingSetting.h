#pragma once

#include "Platform/Preferences/UserDefaults.h"

namespace tessarin {

// Whether dropping a dragged OSD cell shuffles the cells between (true) or swaps two cells.
struct OSDGridShuffleRearrangingSetting {
    static constexpr const char* key = "osdShuffleWhenRearranging";
    static constexpr bool defaultValue = false;

    // The stored Boolean; false when none is stored or the value is not a Boolean.
    static bool persisted(const UserDefaults& defaults);
    static void persist(bool value, UserDefaults& defaults);
};

} // namespace tessarin
