#pragma once

#include <QImage>
#include <cstdint>
#include <optional>
#include <string>

namespace tessarin {

// What the running application behind a window says about itself.
struct OSDGridWindowApplicationInfo {
    std::optional<std::string> bundleIdentifier;
    std::optional<std::string> displayName;
    std::optional<QImage> icon;
};

// Key of the per-refresh cache of application information.
struct OSDGridWindowApplicationKey {
    int32_t processIdentifier = 0;
    std::string ownerName;
    friend auto operator<=>(const OSDGridWindowApplicationKey&,
                            const OSDGridWindowApplicationKey&) = default;
};

} // namespace tessarin
