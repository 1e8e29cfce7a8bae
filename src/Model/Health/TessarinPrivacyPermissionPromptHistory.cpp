#include "Model/Health/TessarinPrivacyPermissionPromptHistory.h"

#include "Platform/Preferences/UserDefaults.h"

namespace tessarin::TessarinPrivacyPermissionPromptHistory {

void markTrue(UserDefaults& defaults, const char* key) {
    if (defaults.boolValue(key) != true) {
        defaults.set(key, true);
    }
}

void clearAll(UserDefaults& defaults) {
    for (const char* key : allKeys) {
        defaults.remove(key);
    }
}

} // namespace tessarin::TessarinPrivacyPermissionPromptHistory
