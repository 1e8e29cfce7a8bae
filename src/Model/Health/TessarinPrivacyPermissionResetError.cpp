#include "Model/Health/TessarinPrivacyPermissionResetError.h"

namespace tessarin {

TessarinPrivacyPermissionResetError
TessarinPrivacyPermissionResetError::tccutilFailed(std::string service, int32_t status,
                                                   std::string output) {
    return {Kind::tccutilFailed, std::move(service), status, std::move(output)};
}

TessarinPrivacyPermissionResetError TessarinPrivacyPermissionResetError::missingBundleIdentifier() {
    return {Kind::missingBundleIdentifier, {}, 0, {}};
}

TessarinPrivacyPermissionResetError
TessarinPrivacyPermissionResetError::systemError(std::string message) {
    return {Kind::systemError, {}, 0, std::move(message)};
}

std::string TessarinPrivacyPermissionResetError::errorDescription() const {
    switch (kind) {
    case Kind::tccutilFailed:
        return "Failed to reset " + service + ": " +
               (output.empty() ? "tccutil exited with status " + std::to_string(status) + "."
                               : output);
    case Kind::missingBundleIdentifier:
        return "Tessarin's bundle identifier could not be resolved.";
    case Kind::systemError:
        return output;
    }
    return output;
}

} // namespace tessarin
