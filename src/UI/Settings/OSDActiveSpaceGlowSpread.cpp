#include "UI/Settings/OSDActiveSpaceGlowSpread.h"

#include "UI/Settings/SteppedIntegerSetting.h"

namespace tessarin {

int OSDActiveSpaceGlowSpread::normalizedValue(int raw) {
    return steppedAndClamped(raw, 2, minimumValue, maximumValue);
}

OSDActiveSpaceGlowSpread OSDActiveSpaceGlowSpread::persisted(const UserDefaults& defaults) {
    const auto stored = storedRoundedInteger(defaults, key);
    return stored ? OSDActiveSpaceGlowSpread(*stored) : OSDActiveSpaceGlowSpread();
}

} // namespace tessarin
