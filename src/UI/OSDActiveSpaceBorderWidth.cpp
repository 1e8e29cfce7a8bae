#include "UI/OSDActiveSpaceBorderWidth.h"

#include "UI/SteppedIntegerSetting.h"

namespace tessarin {

int OSDActiveSpaceBorderWidth::normalizedValue(int raw) {
    return steppedAndClamped(raw, 1, minimumValue, maximumValue);
}

OSDActiveSpaceBorderWidth OSDActiveSpaceBorderWidth::persisted(const UserDefaults& defaults) {
    const auto stored = storedRoundedInteger(defaults, key);
    return stored ? OSDActiveSpaceBorderWidth(*stored) : OSDActiveSpaceBorderWidth();
}

} // namespace tessarin
