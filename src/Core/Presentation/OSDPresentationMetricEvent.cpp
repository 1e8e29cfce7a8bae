#include "Core/Presentation/OSDPresentationMetricEvent.h"

namespace tessarin {

std::string OSDPresentationMetricEvent::logMessage() const {
    // std::map orders its keys by byte, which is the order the line promises.
    std::string line = "event=" + name;
    for (const auto& [key, value] : fields) {
        line += ' ';
        line += key;
        line += '=';
        line += value;
    }
    return line;
}

} // namespace tessarin
