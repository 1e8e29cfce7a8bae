#include "Core/Previews/OSDGridScreenshotMetrics.h"

#include "Support/Environment.h"
#include "Support/Logger.h"
#include "Support/Text.h"

#include <cstdio>

namespace tessarin {

std::string OSDGridScreenshotMetricEvent::logMessage() const {
    std::string line = "event=" + name;
    for (const auto& [key, value] : fields) {
        line += " " + key + "=" + value;
    }
    return line;
}

namespace OSDGridScreenshotMetrics {

const std::set<std::string>& enabledValues() {
    static const std::set<std::string> values{"1", "true", "yes", "on"};
    return values;
}

bool isEnabled() {
    const auto value = Environment::value(environmentVariable);
    return value && enabledValues().contains(lowercased(trimmingWhitespaceAndNewlines(*value)));
}

void emit(const std::string& event, const std::map<std::string, std::string>& fields) {
    if (!isEnabled() || !Logger::isLevelEnabled(LogLevel::notice)) {
        return;
    }
    static const Logger logger(category);
    logger.notice(OSDGridScreenshotMetricEvent{event, fields}.logMessage());
}

std::string milliseconds(double seconds) {
    char text[64];
    std::snprintf(text, sizeof text, "%.2f", seconds * 1000.0);
    return text;
}

} // namespace OSDGridScreenshotMetrics

} // namespace tessarin
