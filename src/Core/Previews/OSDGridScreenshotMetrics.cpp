#include "Core/Previews/OSDGridScreenshotMetrics.h"

#include "Support/Environment.h"
#include "Support/Logger.h"

#include <cstdio>

namespace tessarin::OSDGridScreenshotMetrics {

bool isEnabled() {
    return isEnvironmentSwitchOn(environmentVariable);
}

void emit(const std::string& event, const std::map<std::string, std::string>& fields) {
    if (!isEnabled()) {
        return;
    }
    std::string line = "event=" + event;
    for (const auto& [key, value] : fields) {
        line += " " + key + "=" + value;
    }
    static const Logger logger(category);
    logger.notice(line);
}

std::string milliseconds(double seconds) {
    char text[64];
    std::snprintf(text, sizeof text, "%.2f", seconds * 1000.0);
    return text;
}

} // namespace tessarin::OSDGridScreenshotMetrics
