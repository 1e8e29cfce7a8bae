#include "Hotkeys/HotkeyDefaultsKey.h"

namespace tessarin {

namespace {

std::string scopedKey(const char* prefix, const HotkeyAction& action) {
    std::string key = prefix;
    if (const auto& displayKey = action.scope.displayKey()) {
        key += ".display." + *displayKey;
    }
    key += ".";
    key += rawValue(action.identifier);
    return key;
}

} // namespace

std::string hotkeyCombinationKey(const HotkeyAction& action) {
    return scopedKey("hotkey", action);
}

std::string hotkeyEnabledKey(const HotkeyAction& action) {
    return scopedKey("enabled", action);
}

std::string hotkeySystemShortcutOverrideKey(const HotkeyAction& action) {
    return scopedKey("systemShortcutOverride", action);
}

} // namespace tessarin
