#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tessarin {

struct OMSPosition {
    float x = 0;
    float y = 0;
    friend bool operator==(const OMSPosition&, const OMSPosition&) = default;
};

struct OMSAxis {
    float major = 0;
    float minor = 0;
    friend bool operator==(const OMSAxis&, const OMSAxis&) = default;
};

// The framework's integer touch states 0 to 7, in order.
enum class OMSState {
    notTouching,
    starting,
    hovering,
    making,
    touching,
    breaking,
    lingering,
    leaving
};

std::string rawValue(OMSState state);
// Nothing for an integer outside 0...7.
std::optional<OMSState> omsStateFromFrameworkValue(int64_t value);

// One contact of a frame, as the wrapper hands it on.
struct OMSTouchData {
    int32_t id = 0;
    OMSPosition position;
    float total = 0;
    float pressure = 0;
    OMSAxis axis;
    float angle = 0;
    float density = 0;
    OMSState state = OMSState::notTouching;
    std::string timestamp; // local wall-clock time of the conversion, "HH:mm:ss.SSSS"

    std::string description() const;
    friend bool operator==(const OMSTouchData&, const OMSTouchData&) = default;
};

// The local wall-clock time of `secondsSince1970` as "HH:mm:ss.SSSS".
std::string omsTimestamp(double secondsSince1970);

} // namespace tessarin
