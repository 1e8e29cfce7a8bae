#pragma once

#include "Model/Settings/PersistedSetting.h"
#include "Model/Settings/RawValue.h"

#include <array>
#include <string>

namespace tessarin {

// Whether the OSD is drawn light, dark or following the system appearance ("osdAppearanceMode").
// `auto` is a C++ keyword, so that case is `automatic`; its raw value stays "auto".
enum class OSDAppearanceMode { light, dark, automatic };

inline std::string rawValue(OSDAppearanceMode value) {
    switch (value) {
    case OSDAppearanceMode::light:
        return "light";
    case OSDAppearanceMode::dark:
        return "dark";
    case OSDAppearanceMode::automatic:
        return "auto";
    }
    return {};
}

template <> constexpr auto allCases<OSDAppearanceMode>() {
    return std::array{OSDAppearanceMode::light, OSDAppearanceMode::dark,
                      OSDAppearanceMode::automatic};
}

template <>
inline std::optional<OSDAppearanceMode> fromRawValue<OSDAppearanceMode>(std::string_view raw) {
    return caseWithRawValue<OSDAppearanceMode>(raw);
}

inline constexpr const char* kOSDAppearanceModeKey = "osdAppearanceMode";
inline constexpr OSDAppearanceMode kDefaultOSDAppearanceMode = OSDAppearanceMode::automatic;

// The stored global value; automatic when missing or unknown.
template <> inline OSDAppearanceMode persisted<OSDAppearanceMode>(const UserDefaults& defaults) {
    return persistedCase(defaults, kOSDAppearanceModeKey, kDefaultOSDAppearanceMode);
}

} // namespace tessarin
