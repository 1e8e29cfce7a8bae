#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tessarin {

// How one run of a tool goes: it cannot be launched (with the system's message), or it writes
// its output (any bytes, standard output and error interleaved) and exits with a status.
struct ProcessRun {
    std::optional<std::string> launchError;
    int32_t exitStatus = 0;
    std::string output;
    friend bool operator==(const ProcessRun&, const ProcessRun&) = default;
};

} // namespace tessarin
