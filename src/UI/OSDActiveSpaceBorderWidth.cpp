#include "UI/OSDActiveSpaceBorderWidth.h"

#include <algorithm>
#include <cmath>

namespace tessarin {

int OSDActiveSpaceBorderWidth::normalizedValue(int raw) {
    return std::clamp(raw, OSDActiveSpaceBorderWidth::minimumValue,
                      OSDActiveSpaceBorderWidth::maximumValue);
}

OSDActiveSpaceBorderWidth OSDActiveSpaceBorderWidth::persisted(const UserDefaults& defaults) {
    const auto stored = defaults.doubleValue(key);
    if (!stored || !std::isfinite(*stored))
        return OSDActiveSpaceBorderWidth();
    return OSDActiveSpaceBorderWidth(
        static_cast<int>(std::lround(std::clamp(*stored, -1000.0, 1000.0))));
}

} // namespace tessarin
