#pragma once

#include <optional>
#include <string>

namespace tessarin {

// What the user gave one direct slot (1 to 10) of a display: a custom name, and whether the
// slot's previews are obscured.
struct DirectSlotMetadata {
    std::optional<std::string> name;
    bool obscured = false;

    friend bool operator==(const DirectSlotMetadata&, const DirectSlotMetadata&) = default;
};

} // namespace tessarin
