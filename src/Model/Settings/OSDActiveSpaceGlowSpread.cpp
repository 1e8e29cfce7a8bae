#include "Model/Settings/OSDActiveSpaceGlowSpread.h"

#include "Model/Settings/SteppedIntegerSetting.h"

namespace tessarin {

int OSDActiveSpaceGlowSpread::normalizedValue(int raw) {
    return steppedAndClamped(raw, 2, minimumValue, maximumValue);
}

OSDActiveSpaceGlowSpread OSDActiveSpaceGlowSpread::persisted(const UserDefaults& defaults) {
    const auto stored = storedRoundedInteger(defaults, key);
    return stored ? OSDActiveSpaceGlowSpread(*stored) : OSDActiveSpaceGlowSpread();
}

} // namespace tessarin
