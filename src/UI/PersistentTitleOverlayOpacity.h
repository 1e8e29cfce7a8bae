#pragma once

#include "Core/PersistedSetting.h"
#include "Core/RawValue.h"

#include <array>

namespace tessarin {

// Opacity of the always-visible title overlay in steps of 10 per cent; 0 hides the overlay
// ("persistentTitleOverlayOpacityPercent").
enum class PersistentTitleOverlayOpacity : int {
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

constexpr int rawValue(PersistentTitleOverlayOpacity opacity) {
    return static_cast<int>(opacity);
}

template <> constexpr auto allCases<PersistentTitleOverlayOpacity>() {
    return std::array{
        PersistentTitleOverlayOpacity::percent0,  PersistentTitleOverlayOpacity::percent10,
        PersistentTitleOverlayOpacity::percent20, PersistentTitleOverlayOpacity::percent30,
        PersistentTitleOverlayOpacity::percent40, PersistentTitleOverlayOpacity::percent50,
        PersistentTitleOverlayOpacity::percent60, PersistentTitleOverlayOpacity::percent70,
        PersistentTitleOverlayOpacity::percent80, PersistentTitleOverlayOpacity::percent90,
        PersistentTitleOverlayOpacity::percent100};
}

// Exactly the eleven percentages 0, 10, ..., 100.
template <>
inline std::optional<PersistentTitleOverlayOpacity>
fromRawValue<PersistentTitleOverlayOpacity>(std::int64_t raw) {
    if (raw < 0 || raw > 100 || raw % 10 != 0)
        return std::nullopt;
    return static_cast<PersistentTitleOverlayOpacity>(raw);
}

inline constexpr const char* kPersistentTitleOverlayOpacityKey =
    "persistentTitleOverlayOpacityPercent";
inline constexpr PersistentTitleOverlayOpacity kDefaultPersistentTitleOverlayOpacity =
    PersistentTitleOverlayOpacity::percent10;

// The stored integer when it is one of the eleven percentages; anything else (another number, a
// numeric string, no value) gives percent10.
template <>
PersistentTitleOverlayOpacity
persisted<PersistentTitleOverlayOpacity>(const UserDefaults& defaults);

} // namespace tessarin
