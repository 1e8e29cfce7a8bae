#include "UI/OSDActiveSpaceGlowSpread.h"

#include <algorithm>
#include <cmath>

namespace tessarin {

int OSDActiveSpaceGlowSpread::normalizedValue(int raw) {
    const long stepped = std::lround(static_cast<double>(raw) / 2.0) * 2;
    return static_cast<int>(std::clamp<long>(stepped, OSDActiveSpaceGlowSpread::minimumValue,
                                             OSDActiveSpaceGlowSpread::maximumValue));
}

OSDActiveSpaceGlowSpread OSDActiveSpaceGlowSpread::persisted(const UserDefaults& defaults) {
    const auto stored = defaults.doubleValue(key);
    if (!stored || !std::isfinite(*stored))
        return OSDActiveSpaceGlowSpread();
    return OSDActiveSpaceGlowSpread(
        static_cast<int>(std::lround(std::clamp(*stored, -1000.0, 1000.0))));
}

} // namespace tessarin
