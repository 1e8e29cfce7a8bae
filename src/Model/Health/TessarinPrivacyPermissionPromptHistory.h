#pragma once

#include <array>

namespace tessarin {

class UserDefaults;

// Bookkeeping flags about the two privacy permissions: when the user was sent to System
// Settings for one, and when it was seen granted. Only ever set true or removed.
namespace TessarinPrivacyPermissionPromptHistory {

inline constexpr const char* accessibilityPromptRequestedKey =
    "privacy.accessibilityPromptRequested";
inline constexpr const char* accessibilityAccessObservedKey = "privacy.accessibilityAccessObserved";
inline constexpr const char* screenRecordingPromptRequestedKey =
    "privacy.screenRecordingPromptRequested";
inline constexpr const char* screenRecordingAccessObservedKey =
    "privacy.screenRecordingAccessObserved";

inline constexpr std::array allKeys{accessibilityPromptRequestedKey, accessibilityAccessObservedKey,
                                    screenRecordingPromptRequestedKey,
                                    screenRecordingAccessObservedKey};

// Writes true only when the flag is not true yet: every write rewrites the defaults file and
// wakes the defaults' observers.
void markTrue(UserDefaults& defaults, const char* key);
// Removes the four flags.
void clearAll(UserDefaults& defaults);

} // namespace TessarinPrivacyPermissionPromptHistory

} // namespace tessarin
