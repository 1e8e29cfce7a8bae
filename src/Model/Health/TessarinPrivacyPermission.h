#pragma once

#include <array>

namespace tessarin {

// The privacy permissions the user grants in System Settings.
enum class TessarinPrivacyPermission { accessibility, screenRecording };

inline constexpr std::array kAllPrivacyPermissions{TessarinPrivacyPermission::accessibility,
                                                   TessarinPrivacyPermission::screenRecording};

} // namespace tessarin
