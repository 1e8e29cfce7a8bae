#include "Support/Clock.h"

#include <chrono>

namespace tessarin {

TimeInterval SystemClock::absoluteTime() const {
    using namespace std::chrono;
    const auto sinceEpoch = duration<double>(system_clock::now().time_since_epoch()).count();
    return sinceEpoch - kAbsoluteTimeIntervalSince1970;
}

TimeInterval SystemClock::uptime() const {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

} // namespace tessarin
