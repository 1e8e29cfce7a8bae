#include "Model/Settings/OSDGridShuffleRearrangingSetting.h"

namespace tessarin {

bool OSDGridShuffleRearrangingSetting::persisted(const UserDefaults& defaults) {
    return defaults.boolValue(key).value_or(defaultValue);
}

void OSDGridShuffleRearrangingSetting::persist(bool value, UserDefaults& defaults) {
    if (defaults.boolValue(key) != value)
        defaults.set(key, value);
}

} // namespace tessarin
