#include "UI/OSDActiveSpaceGlowOpacity.h"

#include <algorithm>
#include <cmath>

namespace tessarin {

int OSDActiveSpaceGlowOpacity::normalizedValue(int raw) {
    const long stepped = std::lround(static_cast<double>(raw) / 5.0) * 5;
    return static_cast<int>(std::clamp<long>(stepped, OSDActiveSpaceGlowOpacity::minimumValue,
                                             OSDActiveSpaceGlowOpacity::maximumValue));
}

OSDActiveSpaceGlowOpacity OSDActiveSpaceGlowOpacity::persisted(const UserDefaults& defaults) {
    const auto stored = defaults.doubleValue(key);
    if (!stored || !std::isfinite(*stored))
        return OSDActiveSpaceGlowOpacity();
    return OSDActiveSpaceGlowOpacity(
        static_cast<int>(std::lround(std::clamp(*stored, -1000.0, 1000.0))));
}

} // namespace tessarin
