#pragma once

#include <map>
#include <set>
#include <string>

namespace tessarin {

// One metric line: "event=<name>", then its fields as key=value in ascending key order,
// separated by single blanks; values are written as they are.
struct OSDGridScreenshotMetricEvent {
    std::string name;
    std::map<std::string, std::string> fields;

    std::string logMessage() const;
};

// Metric lines of the capture and window-metadata steps, written to the "ScreenshotMetrics"
// category only while TESSARIN_SCREENSHOT_METRICS is on. Safe from any thread: the switch is
// read from the environment on every call and the logger is made once.
namespace OSDGridScreenshotMetrics {

inline constexpr const char* environmentVariable = "TESSARIN_SCREENSHOT_METRICS";
inline constexpr const char* category = "ScreenshotMetrics";

// The values, trimmed and lower-cased, that switch the lines on.
const std::set<std::string>& enabledValues();
bool isEnabled();
void emit(const std::string& event, const std::map<std::string, std::string>& fields);
std::string milliseconds(double seconds); // "%.2f" of the milliseconds

} // namespace OSDGridScreenshotMetrics

} // namespace tessarin
