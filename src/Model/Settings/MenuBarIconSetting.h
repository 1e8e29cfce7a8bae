#pragma once

#include "Model/Settings/PersistedSetting.h"
#include "Model/Settings/RawValue.h"

#include <array>
#include <string>

namespace tessarin {

// What the status item shows: the template icon, the grid picture of the current display, or
// the number of the current Space. Stored as its raw value under "menuBarIcon"; the older Boolean
// "showMenuBarGridIcon" (true meant the grid picture) is migrated once and removed.
enum class MenuBarIconSetting { tessarin, minigrid, spaceNumber };

inline constexpr const char* kMenuBarIconKey = "menuBarIcon";
inline constexpr const char* kLegacyShowMenuBarGridIconKey = "showMenuBarGridIcon";

inline std::string rawValue(MenuBarIconSetting setting) {
    switch (setting) {
    case MenuBarIconSetting::tessarin:
        return "tessarin";
    case MenuBarIconSetting::minigrid:
        return "minigrid";
    case MenuBarIconSetting::spaceNumber:
        return "spaceNumber";
    }
    return {};
}

template <> constexpr auto allCases<MenuBarIconSetting>() {
    return std::array{MenuBarIconSetting::tessarin, MenuBarIconSetting::minigrid,
                      MenuBarIconSetting::spaceNumber};
}

template <>
inline std::optional<MenuBarIconSetting> fromRawValue<MenuBarIconSetting>(std::string_view raw) {
    return caseWithRawValue<MenuBarIconSetting>(raw);
}

// A valid "menuBarIcon" gives its case and any other stored value `tessarin`; without one, the
// legacy Boolean true gives `minigrid`, anything else `tessarin`.
template <> MenuBarIconSetting persisted<MenuBarIconSetting>(const UserDefaults& defaults);

// Stores the raw value and drops the legacy key.
template <> void persist<MenuBarIconSetting>(MenuBarIconSetting setting, UserDefaults& defaults);

// Leaves either a valid "menuBarIcon" or none, and never the legacy key: an invalid value becomes
// "tessarin", a legacy true becomes "minigrid".
template <> void normalize<MenuBarIconSetting>(UserDefaults& defaults);

} // namespace tessarin
