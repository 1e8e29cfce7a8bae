#pragma once

#include "Model/Settings/TenPercentStepSetting.h"

namespace tessarin {

// Opacity of the OSD grid's background in steps of 10 per cent ("osdGridOpacityPercent");
// an unknown stored value reads as 90.
enum class OSDGridOpacity : int {
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

constexpr int rawValue(OSDGridOpacity opacity) {
    return static_cast<int>(opacity);
}

template <> constexpr auto allCases<OSDGridOpacity>() {
    return tenPercentStepCases<OSDGridOpacity>();
}

template <> inline std::optional<OSDGridOpacity> fromRawValue<OSDGridOpacity>(std::int64_t raw) {
    return tenPercentStepFromRawValue<OSDGridOpacity>(raw);
}

inline constexpr const char* kOSDGridOpacityKey = "osdGridOpacityPercent";
inline constexpr OSDGridOpacity kDefaultOSDGridOpacity = OSDGridOpacity::percent90;

template <> inline OSDGridOpacity persisted<OSDGridOpacity>(const UserDefaults& defaults) {
    return persistedTenPercentStep(defaults, kOSDGridOpacityKey, kDefaultOSDGridOpacity);
}

} // namespace tessarin
