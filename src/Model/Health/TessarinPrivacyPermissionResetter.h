#pragma once

#include "Model/Health/TessarinPrivacyPermissionResetError.h"

#include <optional>
#include <string>

namespace tessarin {

class UserDefaults;

// Resets the program's Accessibility and Screen Recording decisions with the system's privacy
// tool, for a user whose records went stale. Runs on the main thread and waits for each run of
// the tool; answers the first failure, or nothing.
struct TessarinPrivacyPermissionResetter {
    // Resets "Accessibility", then "ScreenCapture", for the main bundle's identifier (the
    // built-in one when the bundle has none); after both, clears the prompt history in
    // `defaults`. A failure stops there: what was reset stays reset, the flags stay.
    static std::optional<TessarinPrivacyPermissionResetError> resetAll(UserDefaults& defaults);

    // One run of the tool for one service: "reset", the service, the bundle identifier.
    static std::optional<TessarinPrivacyPermissionResetError>
    runTCCUtilReset(const std::string& service, const std::string& bundleIdentifier);

    // The tool's output as text: trimmed, and empty when it is not valid UTF-8.
    static std::string decodedToolOutput(const std::string& bytes);
};

} // namespace tessarin
