#include "Model/Settings/SteppedIntegerSetting.h"

#include <algorithm>
#include <cmath>

namespace tessarin {

int steppedAndClamped(int raw, int step, int minimum, int maximum) {
    const long stepped =
        step > 1 ? std::lround(static_cast<double>(raw) / step) * step : static_cast<long>(raw);
    return static_cast<int>(std::clamp<long>(stepped, minimum, maximum));
}

std::optional<int> storedRoundedInteger(const UserDefaults& defaults, const char* key) {
    const auto stored = defaults.doubleValue(key);
    if (!stored || !std::isfinite(*stored)) {
        return std::nullopt;
    }
    return static_cast<int>(std::lround(std::clamp(*stored, -1000.0, 1000.0)));
}

} // namespace tessarin
