#include "Model/Settings/OSDActiveSpaceGlowOpacity.h"

#include "Model/Settings/SteppedIntegerSetting.h"

namespace tessarin {

int OSDActiveSpaceGlowOpacity::normalizedValue(int raw) {
    return steppedAndClamped(raw, 5, minimumValue, maximumValue);
}

OSDActiveSpaceGlowOpacity OSDActiveSpaceGlowOpacity::persisted(const UserDefaults& defaults) {
    const auto stored = storedRoundedInteger(defaults, key);
    return stored ? OSDActiveSpaceGlowOpacity(*stored) : OSDActiveSpaceGlowOpacity();
}

} // namespace tessarin
