#pragma once

#include "Core/PersistedSetting.h"
#include "Core/RawValue.h"

#include <array>

namespace tessarin {

// Opacity of the always-visible grid overlay in steps of 10 per cent; 0 hides the overlay
// ("persistentGridOverlayOpacityPercent").
enum class PersistentGridOverlayOpacity : int {
    percent0 = 0,
    percent10 = 10,
    percent20 = 20,
    percent30 = 30,
    percent40 = 40,
    percent50 = 50,
    percent60 = 60,
    percent70 = 70,
    percent80 = 80,
    percent90 = 90,
    percent100 = 100
};

constexpr int rawValue(PersistentGridOverlayOpacity opacity) {
    return static_cast<int>(opacity);
}

template <> constexpr auto allCases<PersistentGridOverlayOpacity>() {
    return std::array{
        PersistentGridOverlayOpacity::percent0,  PersistentGridOverlayOpacity::percent10,
        PersistentGridOverlayOpacity::percent20, PersistentGridOverlayOpacity::percent30,
        PersistentGridOverlayOpacity::percent40, PersistentGridOverlayOpacity::percent50,
        PersistentGridOverlayOpacity::percent60, PersistentGridOverlayOpacity::percent70,
        PersistentGridOverlayOpacity::percent80, PersistentGridOverlayOpacity::percent90,
        PersistentGridOverlayOpacity::percent100};
}

// Exactly the eleven percentages 0, 10, ..., 100.
template <>
inline std::optional<PersistentGridOverlayOpacity>
fromRawValue<PersistentGridOverlayOpacity>(std::int64_t raw) {
    if (raw < 0 || raw > 100 || raw % 10 != 0)
        return std::nullopt;
    return static_cast<PersistentGridOverlayOpacity>(raw);
}

inline constexpr const char* kPersistentGridOverlayOpacityKey =
    "persistentGridOverlayOpacityPercent";
inline constexpr PersistentGridOverlayOpacity kDefaultPersistentGridOverlayOpacity =
    PersistentGridOverlayOpacity::percent10;

// The stored integer when it is one of the eleven percentages; anything else (another number, a
// numeric string, no value) gives percent10.
template <>
PersistentGridOverlayOpacity persisted<PersistentGridOverlayOpacity>(const UserDefaults& defaults);

} // namespace tessarin
