#include "Model/Settings/OSDActiveSpaceBorderWidth.h"

#include "Model/Settings/SteppedIntegerSetting.h"

namespace tessarin {

int OSDActiveSpaceBorderWidth::normalizedValue(int raw) {
    return steppedAndClamped(raw, 1, minimumValue, maximumValue);
}

OSDActiveSpaceBorderWidth OSDActiveSpaceBorderWidth::persisted(const UserDefaults& defaults) {
    const auto stored = storedRoundedInteger(defaults, key);
    return stored ? OSDActiveSpaceBorderWidth(*stored) : OSDActiveSpaceBorderWidth();
}

} // namespace tessarin
