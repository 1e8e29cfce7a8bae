#pragma once

#include <array>
#include <optional>

namespace tessarin {

// The five prerequisites the health check looks at, in the order it reports them.
enum class TessarinHealthCheckIdentifier {
    accessibility = 0,
    screenRecording = 1,
    separateSpaces = 2,
    spaceAutoRearrange = 3,
    launchAtLogin = 4,
};

inline constexpr std::array kAllHealthCheckIdentifiers{
    TessarinHealthCheckIdentifier::accessibility, TessarinHealthCheckIdentifier::screenRecording,
    TessarinHealthCheckIdentifier::separateSpaces,
    TessarinHealthCheckIdentifier::spaceAutoRearrange,
    TessarinHealthCheckIdentifier::launchAtLogin};

inline std::optional<TessarinHealthCheckIdentifier> healthCheckIdentifier(int rawValue) {
    if (rawValue < 0 || rawValue >= static_cast<int>(kAllHealthCheckIdentifiers.size())) {
        return std::nullopt;
    }
    return static_cast<TessarinHealthCheckIdentifier>(rawValue);
}

} // namespace tessarin
