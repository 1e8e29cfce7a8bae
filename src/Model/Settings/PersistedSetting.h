#pragma once

#include "Model/Settings/RawValue.h"
#include "Platform/Preferences/UserDefaults.h"

#include <cstdint>

namespace tessarin {

// Setting enumerations read from the user defaults specialise this next to their declaration:
// persisted<OSDGridOpacity>(defaults). A missing, mistyped or unknown stored value reads as the
// setting's default; reading never writes.
template <class E> E persisted(const UserDefaults& defaults);

// The writer and the repair of such a setting, where it has them, specialised the same way:
// persist(MenuBarIconSetting::minigrid, defaults), normalize<MenuBarIconSetting>(defaults).
template <class E> void persist(E value, UserDefaults& defaults);
template <class E> void normalize(UserDefaults& defaults);

// The case named by the string stored under `key`; `fallback` for anything else.
template <class E> E persistedCase(const UserDefaults& defaults, const char* key, E fallback) {
    const auto text = defaults.stringValue(key);
    return text ? fromRawValue<E>(*text).value_or(fallback) : fallback;
}

// A stored value read as an integer the way the platform's integer accessor reads it: integers
// as they are, doubles truncated, Booleans as 0 or 1, a string by its leading decimal number
// ("12 pt" gives 12); anything else gives 0.
std::int64_t integerValueAsPlatformReads(const PropertyValue& value);

} // namespace tessarin
