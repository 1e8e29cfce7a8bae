#pragma once

#include "Model/Settings/TenPercentStepSetting.h"

namespace tessarin {

// Opacity of the always-visible title overlay in steps of 10 per cent; 0 hides the overlay
// ("persistentTitleOverlayOpacityPercent"); an unknown stored value reads as 10.
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
    return tenPercentStepCases<PersistentTitleOverlayOpacity>();
}

template <>
inline std::optional<PersistentTitleOverlayOpacity>
fromRawValue<PersistentTitleOverlayOpacity>(std::int64_t raw) {
    return tenPercentStepFromRawValue<PersistentTitleOverlayOpacity>(raw);
}

inline constexpr const char* kPersistentTitleOverlayOpacityKey =
    "persistentTitleOverlayOpacityPercent";
inline constexpr PersistentTitleOverlayOpacity kDefaultPersistentTitleOverlayOpacity =
    PersistentTitleOverlayOpacity::percent10;

template <>
inline PersistentTitleOverlayOpacity
persisted<PersistentTitleOverlayOpacity>(const UserDefaults& defaults) {
    return persistedTenPercentStep(defaults, kPersistentTitleOverlayOpacityKey,
                                   kDefaultPersistentTitleOverlayOpacity);
}

} // namespace tessarin
