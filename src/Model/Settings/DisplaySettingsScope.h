#pragma once

#include <optional>
#include <string>
#include <utility>

namespace tessarin {

// Where a settings store writes: the global value, or the override of one display. The stores
// trim the identifier; a display scope whose identifier is blank after trimming writes nothing.
struct DisplaySettingsScope {
    std::optional<std::string> displayIdentifier;

    static DisplaySettingsScope global() { return {}; }
    static DisplaySettingsScope display(std::string identifier) {
        return DisplaySettingsScope{std::move(identifier)};
    }
    // The scope of an optional identifier: a display when one is given, else global.
    static DisplaySettingsScope forDisplayIdentifier(std::optional<std::string> identifier) {
        return DisplaySettingsScope{std::move(identifier)};
    }

    bool isGlobal() const { return !displayIdentifier.has_value(); }

    friend bool operator==(const DisplaySettingsScope&, const DisplaySettingsScope&) = default;
};

} // namespace tessarin
