#include "Model/Settings/OSDPreviewTint.h"

#include "Model/Settings/SteppedIntegerSetting.h"

namespace tessarin {

int OSDPreviewTint::normalizedValue(int raw) {
    return steppedAndClamped(raw, 5, minimumValue, maximumValue);
}

OSDPreviewTint OSDPreviewTint::persisted(const UserDefaults& defaults) {
    const auto stored = storedRoundedInteger(defaults, key);
    return stored ? OSDPreviewTint(*stored) : OSDPreviewTint();
}

} // namespace tessarin
