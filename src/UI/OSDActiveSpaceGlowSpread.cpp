#include "UI/OSDActiveSpaceGlowSpread.h"

#include <algorithm>
#include <cmath>

namespace tessarin {

int OSDActiveSpaceGlowSpread::normalizedValue(int raw) {
    const long stepped = std::lround(static_cast<double>(raw) / 2.0) * 2;
    return static_cast<int>(std::clamp<long>(stepped, OSDActiveSpaceGlowSpread::minimumValue,
                                             OSDActiveSpaceGlowSpread::maximumValue));
}

} // namespace tessarin
