#pragma once

#include <optional>
#include <string>

namespace tessarin {

// One recorded title of a grid cell: the focused window's title and its application's name,
// both trimmed, absent rather than empty, never both absent.
struct OSDGridSpaceTitleEntry {
    std::optional<std::string> windowTitle;
    std::optional<std::string> appDisplayName;
    friend bool operator==(const OSDGridSpaceTitleEntry&, const OSDGridSpaceTitleEntry&) = default;
};

} // namespace tessarin
