#include "UI/OSD/OSDDismissalTiming.h"

#include "Platform/Host.h"
#include "Platform/Preferences/UserDefaults.h"

#include <algorithm>

namespace tessarin {

OSDDismissalTiming OSDDismissalTiming::fromStoredDuration() {
    const auto stored = Host::current().defaults().object("osdDurationMs");
    if (!stored || !stored->isInteger()) {
        return fromMilliseconds(1000);
    }
    return fromMilliseconds(stored->integerValue().value_or(1000));
}

OSDDismissalTiming OSDDismissalTiming::fromMilliseconds(long long milliseconds) {
    if (milliseconds < 0) {
        milliseconds = 1000;
    }
    OSDDismissalTiming timing;
    timing.totalDuration = static_cast<double>(milliseconds) / 1000.0;
    timing.fadeDuration = std::min(timing.totalDuration, 0.2);
    timing.visibleDuration = std::max(timing.totalDuration - timing.fadeDuration, 0.0);
    return timing;
}

} // namespace tessarin
