#include "UI/OSDGridOpacity.h"

namespace tessarin {

template <> OSDGridOpacity persisted<OSDGridOpacity>(const UserDefaults& defaults) {
    const auto stored = defaults.object(kOSDGridOpacityKey);
    if (!stored || !stored->isNumber())
        return kDefaultOSDGridOpacity;
    const auto percent = stored->integerValue();
    if (!percent)
        return kDefaultOSDGridOpacity;
    return fromRawValue<OSDGridOpacity>(*percent).value_or(kDefaultOSDGridOpacity);
}

} // namespace tessarin
