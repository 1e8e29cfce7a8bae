#pragma once

#include "Platform/Preferences/UserDefaults.h"

namespace tessarin {

// Whether OSD cells show the icons of the applications on their Space.
struct OSDGridAppIconsSetting {
    static constexpr const char* key = "osdGridAppIconsEnabled";
    static constexpr bool defaultValue = true;

    // The stored Boolean; true when none is stored or the value is not a Boolean.
    static bool persisted(const UserDefaults& defaults);
    static void persist(bool value, UserDefaults& defaults);
};

} // namespace tessarin
