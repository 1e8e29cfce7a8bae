#pragma once

#include <map>
#include <string>

namespace tessarin {

// One structured metric line: the step and its fields, rendered as "event=<name>" followed by
// the fields as key=value in ascending key order (byte order), separated by single blanks.
// Values are written as they are, without quotes.
struct OSDPresentationMetricEvent {
    std::string name;
    std::map<std::string, std::string> fields;

    std::string logMessage() const;
};

} // namespace tessarin
