#pragma once

#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>

namespace tessarin::bench {

// A size line of a process's status in /proc ("VmHWM", "VmRSS"), in megabytes; `process` is a
// process number or "self". Nothing when the process or the line is gone.
inline std::optional<double> statusMegabytes(const std::string& process, const std::string& field) {
    std::ifstream status("/proc/" + process + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field + ":", 0) == 0) {
            return std::strtod(line.c_str() + field.size() + 1, nullptr) / 1024.0;
        }
    }
    return std::nullopt;
}

} // namespace tessarin::bench
