#pragma once

#include "Model/Settings/RawValue.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace tessarin {

// How many fingers a navigating swipe takes.
enum class TrackpadNavigationFingerCount { three, four };

inline std::string rawValue(TrackpadNavigationFingerCount count) {
    return count == TrackpadNavigationFingerCount::four ? "four" : "three";
}

inline int fingers(TrackpadNavigationFingerCount count) {
    return count == TrackpadNavigationFingerCount::four ? 4 : 3;
}

template <> constexpr auto allCases<TrackpadNavigationFingerCount>() {
    return std::array{TrackpadNavigationFingerCount::three, TrackpadNavigationFingerCount::four};
}

template <>
inline std::optional<TrackpadNavigationFingerCount>
fromRawValue<TrackpadNavigationFingerCount>(std::string_view raw) {
    return caseWithRawValue<TrackpadNavigationFingerCount>(std::string(raw));
}

} // namespace tessarin
