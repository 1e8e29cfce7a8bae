#pragma once

#include <map>
#include <string>

namespace tessarin {

// Metric lines of the capture and window-metadata steps, written only while
// TESSARIN_SCREENSHOT_METRICS is on: "event=<name>" then key=value pairs in ascending key order.
namespace OSDGridScreenshotMetrics {

inline constexpr const char* environmentVariable = "TESSARIN_SCREENSHOT_METRICS";
inline constexpr const char* category = "ScreenshotMetrics";

bool isEnabled();
void emit(const std::string& event, const std::map<std::string, std::string>& fields);
std::string milliseconds(double seconds); // "%.2f" of the milliseconds

} // namespace OSDGridScreenshotMetrics

} // namespace tessarin
