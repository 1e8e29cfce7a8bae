#include "Model/Settings/OSDGridAppIconsSetting.h"

namespace tessarin {

bool OSDGridAppIconsSetting::persisted(const UserDefaults& defaults) {
    return defaults.boolValue(key).value_or(defaultValue);
}

void OSDGridAppIconsSetting::persist(bool value, UserDefaults& defaults) {
    if (defaults.boolValue(key) != value)
        defaults.set(key, value);
}

} // namespace tessarin
