#include "OpenMultitouchSupport/OMSTouchData.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <ctime>

namespace tessarin {

std::string rawValue(OMSState state) {
    static constexpr std::array<const char*, 8> names{"notTouching", "starting", "hovering",
                                                      "making",      "touching", "breaking",
                                                      "lingering",   "leaving"};
    return names[static_cast<std::size_t>(state)];
}

std::optional<OMSState> omsStateFromFrameworkValue(int64_t value) {
    if (value < 0 || value > 7) {
        return std::nullopt;
    }
    return static_cast<OMSState>(value);
}

std::string OMSTouchData::description() const {
    char text[256];
    std::snprintf(
        text, sizeof text,
        "id:%2d, pos:(%05.3f,%05.3f), total:%05.3f, pressure:%05.3f, "
        "axis(%05.3f,%05.3f), angle:%05.3f, density:%05.3f, ",
        static_cast<int>(id), static_cast<double>(position.x), static_cast<double>(position.y),
        static_cast<double>(total), static_cast<double>(pressure), static_cast<double>(axis.major),
        static_cast<double>(axis.minor), static_cast<double>(angle), static_cast<double>(density));
    return text + rawValue(state) + ", " + timestamp;
}

std::string omsTimestamp(double secondsSince1970) {
    const double whole = std::floor(secondsSince1970);
    const auto seconds = static_cast<std::time_t>(whole);
    std::tm local{};
    localtime_r(&seconds, &local);
    const int tenThousandths =
        std::min(9999, static_cast<int>((secondsSince1970 - whole) * 10000.0));
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d.%04d", local.tm_hour, local.tm_min,
                  local.tm_sec, tenThousandths);
    return text;
}

} // namespace tessarin
