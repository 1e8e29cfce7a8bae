#pragma once

#include "Core/PersistedSetting.h"
#include "Core/RawValue.h"

#include <array>

namespace tessarin {

// Opacity of the OSD grid's background in steps of 10 per cent ("osdGridOpacityPercent").
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
    return std::array{
        OSDGridOpacity::percent0,  OSDGridOpacity::percent10, OSDGridOpacity::percent20,
        OSDGridOpacity::percent30, OSDGridOpacity::percent40, OSDGridOpacity::percent50,
        OSDGridOpacity::percent60, OSDGridOpacity::percent70, OSDGridOpacity::percent80,
        OSDGridOpacity::percent90, OSDGridOpacity::percent100};
}

// Exactly the eleven percentages 0, 10, ..., 100.
template <> inline std::optional<OSDGridOpacity> fromRawValue<OSDGridOpacity>(std::int64_t raw) {
    if (raw < 0 || raw > 100 || raw % 10 != 0)
        return std::nullopt;
    return static_cast<OSDGridOpacity>(raw);
}

inline constexpr const char* kOSDGridOpacityKey = "osdGridOpacityPercent";
inline constexpr OSDGridOpacity kDefaultOSDGridOpacity = OSDGridOpacity::percent90;

// The stored integer when it is one of the eleven percentages; anything else (another number, a
// numeric string, no value) gives percent90.
template <> OSDGridOpacity persisted<OSDGridOpacity>(const UserDefaults& defaults);

} // namespace tessarin
