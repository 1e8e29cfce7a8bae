#pragma once

#include "Model/Settings/TenPercentStepSetting.h"

namespace tessarin {

// Opacity of the always-visible grid overlay in steps of 10 per cent; 0 hides the overlay
// ("persistentGridOverlayOpacityPercent"); an unknown stored value reads as 10.
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
    return tenPercentStepCases<PersistentGridOverlayOpacity>();
}

template <>
inline std::optional<PersistentGridOverlayOpacity>
fromRawValue<PersistentGridOverlayOpacity>(std::int64_t raw) {
    return tenPercentStepFromRawValue<PersistentGridOverlayOpacity>(raw);
}

inline constexpr const char* kPersistentGridOverlayOpacityKey =
    "persistentGridOverlayOpacityPercent";
inline constexpr PersistentGridOverlayOpacity kDefaultPersistentGridOverlayOpacity =
    PersistentGridOverlayOpacity::percent10;

template <>
inline PersistentGridOverlayOpacity
persisted<PersistentGridOverlayOpacity>(const UserDefaults& defaults) {
    return persistedTenPercentStep(defaults, kPersistentGridOverlayOpacityKey,
                                   kDefaultPersistentGridOverlayOpacity);
}

} // namespace tessarin
