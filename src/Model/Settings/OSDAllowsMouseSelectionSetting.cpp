#include "Model/Settings/OSDAllowsMouseSelectionSetting.h"

namespace tessarin {

bool OSDAllowsMouseSelectionSetting::persisted(const UserDefaults& defaults) {
    return defaults.boolValue(key).value_or(defaultValue);
}

void OSDAllowsMouseSelectionSetting::persist(bool value, UserDefaults& defaults) {
    if (defaults.boolValue(key) != value)
        defaults.set(key, value);
}

} // namespace tessarin
