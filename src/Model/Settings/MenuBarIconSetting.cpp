#include "Model/Settings/MenuBarIconSetting.h"

namespace tessarin {

namespace {

std::optional<MenuBarIconSetting> storedSetting(const UserDefaults& defaults) {
    const auto text = defaults.stringValue(kMenuBarIconKey);
    if (!text)
        return std::nullopt;
    return fromRawValue<MenuBarIconSetting>(*text);
}

bool legacyGridIconRequested(const UserDefaults& defaults) {
    return defaults.boolValue(kLegacyShowMenuBarGridIconKey).value_or(false);
}

} // namespace

template <> MenuBarIconSetting persisted<MenuBarIconSetting>(const UserDefaults& defaults) {
    if (auto setting = storedSetting(defaults))
        return *setting;
    if (defaults.contains(kMenuBarIconKey))
        return MenuBarIconSetting::tessarin;
    return legacyGridIconRequested(defaults) ? MenuBarIconSetting::minigrid
                                             : MenuBarIconSetting::tessarin;
}

template <> void persist<MenuBarIconSetting>(MenuBarIconSetting setting, UserDefaults& defaults) {
    if (defaults.stringValue(kMenuBarIconKey) != rawValue(setting))
        defaults.set(kMenuBarIconKey, rawValue(setting));
    defaults.remove(kLegacyShowMenuBarGridIconKey);
}

template <> void normalize<MenuBarIconSetting>(UserDefaults& defaults) {
    if (!storedSetting(defaults)) {
        if (defaults.contains(kMenuBarIconKey))
            defaults.set(kMenuBarIconKey, rawValue(MenuBarIconSetting::tessarin));
        else if (legacyGridIconRequested(defaults))
            defaults.set(kMenuBarIconKey, rawValue(MenuBarIconSetting::minigrid));
    }
    defaults.remove(kLegacyShowMenuBarGridIconKey);
}

} // namespace tessarin
