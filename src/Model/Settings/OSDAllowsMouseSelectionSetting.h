#pragma once

#include "Platform/Preferences/UserDefaults.h"

namespace tessarin {

// Whether a shown OSD grid can be clicked and dragged.
struct OSDAllowsMouseSelectionSetting {
    static constexpr const char* key = "osdAllowsMouseSelection";
    static constexpr bool defaultValue = true;

    // The stored Boolean; true when none is stored or the value is not a Boolean.
    static bool persisted(const UserDefaults& defaults);
    static void persist(bool value, UserDefaults& defaults);
};

} // namespace tessarin
