#include "UI/OSDActiveSpaceGlowOpacity.h"

#include <algorithm>
#include <cmath>

namespace tessarin {

int OSDActiveSpaceGlowOpacity::normalizedValue(int raw) {
    const long stepped = std::lround(static_cast<double>(raw) / 5.0) * 5;
    return static_cast<int>(std::clamp<long>(stepped, OSDActiveSpaceGlowOpacity::minimumValue,
                                             OSDActiveSpaceGlowOpacity::maximumValue));
}

} // namespace tessarin
