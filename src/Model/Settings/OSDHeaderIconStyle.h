#pragma once

#include "Model/Settings/PersistedSetting.h"
#include "Model/Settings/RawValue.h"

#include <array>
#include <string>

namespace tessarin {

// How the OSD header draws the application icon ("osdHeaderIconStyle").
enum class OSDHeaderIconStyle { color, monochrome };

inline std::string rawValue(OSDHeaderIconStyle value) {
    switch (value) {
    case OSDHeaderIconStyle::color:
        return "color";
    case OSDHeaderIconStyle::monochrome:
        return "monochrome";
    }
    return {};
}

template <> constexpr auto allCases<OSDHeaderIconStyle>() {
    return std::array{OSDHeaderIconStyle::color, OSDHeaderIconStyle::monochrome};
}

template <>
inline std::optional<OSDHeaderIconStyle> fromRawValue<OSDHeaderIconStyle>(std::string_view raw) {
    return caseWithRawValue<OSDHeaderIconStyle>(raw);
}

inline constexpr const char* kOSDHeaderIconStyleKey = "osdHeaderIconStyle";
inline constexpr OSDHeaderIconStyle kDefaultOSDHeaderIconStyle = OSDHeaderIconStyle::color;

// The stored global value; color when missing or unknown.
template <> inline OSDHeaderIconStyle persisted<OSDHeaderIconStyle>(const UserDefaults& defaults) {
    return persistedCase(defaults, kOSDHeaderIconStyleKey, kDefaultOSDHeaderIconStyle);
}

} // namespace tessarin
