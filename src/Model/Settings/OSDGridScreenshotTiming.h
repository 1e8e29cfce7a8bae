#pragma once

#include "Model/Settings/PersistedSetting.h"
#include "Model/Settings/RawValue.h"

#include <array>
#include <string>

namespace tessarin {

// When grid snapshots are refreshed ("osdGridScreenshotTiming", global only).
enum class OSDGridScreenshotTiming { performant, optimised, power };

inline std::string rawValue(OSDGridScreenshotTiming value) {
    switch (value) {
    case OSDGridScreenshotTiming::performant:
        return "performant";
    case OSDGridScreenshotTiming::optimised:
        return "optimised";
    case OSDGridScreenshotTiming::power:
        return "power";
    }
    return {};
}

template <> constexpr auto allCases<OSDGridScreenshotTiming>() {
    return std::array{OSDGridScreenshotTiming::performant, OSDGridScreenshotTiming::optimised,
                      OSDGridScreenshotTiming::power};
}

template <>
inline std::optional<OSDGridScreenshotTiming>
fromRawValue<OSDGridScreenshotTiming>(std::string_view raw) {
    return caseWithRawValue<OSDGridScreenshotTiming>(raw);
}

inline constexpr const char* kOSDGridScreenshotTimingKey = "osdGridScreenshotTiming";
inline constexpr OSDGridScreenshotTiming kDefaultOSDGridScreenshotTiming =
    OSDGridScreenshotTiming::performant;

// The stored global value; performant when missing or unknown.
template <>
inline OSDGridScreenshotTiming persisted<OSDGridScreenshotTiming>(const UserDefaults& defaults) {
    return persistedCase(defaults, kOSDGridScreenshotTimingKey, kDefaultOSDGridScreenshotTiming);
}

} // namespace tessarin
