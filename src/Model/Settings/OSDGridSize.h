#pragma once

#include "Model/Settings/PersistedSetting.h"
#include "Model/Settings/RawValue.h"

#include <array>
#include <string>

namespace tessarin {

// How much of the screen the OSD grid fills ("osdGridSize"); the settings page titles the three
// sizes one step smaller ("Small", "Medium", "Large").
enum class OSDGridSize { medium, large, extraLarge };

inline std::string rawValue(OSDGridSize value) {
    switch (value) {
    case OSDGridSize::medium:
        return "medium";
    case OSDGridSize::large:
        return "large";
    case OSDGridSize::extraLarge:
        return "extraLarge";
    }
    return {};
}

template <> constexpr auto allCases<OSDGridSize>() {
    return std::array{OSDGridSize::medium, OSDGridSize::large, OSDGridSize::extraLarge};
}

template <> inline std::optional<OSDGridSize> fromRawValue<OSDGridSize>(std::string_view raw) {
    return caseWithRawValue<OSDGridSize>(raw);
}

inline constexpr const char* kOSDGridSizeKey = "osdGridSize";
inline constexpr OSDGridSize kDefaultOSDGridSize = OSDGridSize::large;

// The stored global value; large when missing or unknown.
template <> inline OSDGridSize persisted<OSDGridSize>(const UserDefaults& defaults) {
    return persistedCase(defaults, kOSDGridSizeKey, kDefaultOSDGridSize);
}

} // namespace tessarin
