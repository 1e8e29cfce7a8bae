#include "UI/OSDActiveSpaceBorderWidth.h"

#include <algorithm>
#include <cmath>

namespace tessarin {

int OSDActiveSpaceBorderWidth::normalizedValue(int raw) {
    return std::clamp(raw, OSDActiveSpaceBorderWidth::minimumValue,
                      OSDActiveSpaceBorderWidth::maximumValue);
}

} // namespace tessarin
