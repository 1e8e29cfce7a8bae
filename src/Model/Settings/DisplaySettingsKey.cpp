#include "Model/Settings/DisplaySettingsKey.h"

#include "Support/Text.h"

namespace tessarin {

std::optional<std::string> trimmedDisplayIdentifier(const std::optional<std::string>& identifier) {
    if (!identifier)
        return std::nullopt;
    std::string trimmed = trimmingWhitespaceAndNewlines(*identifier);
    if (trimmed.empty())
        return std::nullopt;
    return trimmed;
}

std::string displaySettingsOverrideKey(std::string_view baseKey,
                                       std::string_view trimmedIdentifier) {
    std::string key(baseKey);
    key += ".display.";
    key += trimmedIdentifier;
    return key;
}

std::optional<std::string> displaySettingsKey(std::string_view baseKey,
                                              const DisplaySettingsScope& scope) {
    if (scope.isGlobal())
        return std::string(baseKey);
    const auto identifier = trimmedDisplayIdentifier(scope.displayIdentifier);
    if (!identifier)
        return std::nullopt;
    return displaySettingsOverrideKey(baseKey, *identifier);
}

} // namespace tessarin
