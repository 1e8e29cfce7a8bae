#pragma once

#include <cstdint>
#include <string>

namespace tessarin {

// Why a privacy reset failed: the tool exited non-zero, no bundle identifier was found, or the
// system could not run the tool (its own message, passed on unchanged).
struct TessarinPrivacyPermissionResetError {
    enum class Kind { tccutilFailed, missingBundleIdentifier, systemError };

    Kind kind = Kind::missingBundleIdentifier;
    std::string service; // tccutilFailed: the service passed to the tool
    int32_t status = 0;  // tccutilFailed: its exit status
    std::string output;  // tccutilFailed: its trimmed output; systemError: the message

    static TessarinPrivacyPermissionResetError tccutilFailed(std::string service, int32_t status,
                                                             std::string output);
    static TessarinPrivacyPermissionResetError missingBundleIdentifier();
    static TessarinPrivacyPermissionResetError systemError(std::string message);

    // The sentence the System page shows.
    std::string errorDescription() const;

    friend bool operator==(const TessarinPrivacyPermissionResetError&,
                           const TessarinPrivacyPermissionResetError&) = default;
};

} // namespace tessarin
