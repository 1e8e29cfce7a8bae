#pragma once

#include "Model/Settings/RawValue.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace tessarin {

// When a recognised trackpad swipe switches: after a delay with a preview (the default), at once,
// or on a three-finger tap with a preview.
enum class TrackpadSpaceSwitchMode { afterDelay, whileSwiping, afterTap };

inline std::string rawValue(TrackpadSpaceSwitchMode mode) {
    switch (mode) {
    case TrackpadSpaceSwitchMode::whileSwiping:
        return "whileSwiping";
    case TrackpadSpaceSwitchMode::afterTap:
        return "afterTap";
    case TrackpadSpaceSwitchMode::afterDelay:
        break;
    }
    return "afterDelay";
}

template <> constexpr auto allCases<TrackpadSpaceSwitchMode>() {
    return std::array{TrackpadSpaceSwitchMode::afterDelay, TrackpadSpaceSwitchMode::whileSwiping,
                      TrackpadSpaceSwitchMode::afterTap};
}

template <>
inline std::optional<TrackpadSpaceSwitchMode>
fromRawValue<TrackpadSpaceSwitchMode>(std::string_view raw) {
    return caseWithRawValue<TrackpadSpaceSwitchMode>(std::string(raw));
}

} // namespace tessarin
