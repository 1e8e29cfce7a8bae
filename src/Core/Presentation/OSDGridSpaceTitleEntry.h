#pragma once

#include <optional>
#include <string>

namespace tessarin {

// The recorded window title and application name of one Space.
struct OSDGridSpaceTitleEntry {
    std::optional<std::string> windowTitle;
    std::optional<std::string> appDisplayName;

    friend bool operator==(const OSDGridSpaceTitleEntry&, const OSDGridSpaceTitleEntry&) = default;
};

} // namespace tessarin
