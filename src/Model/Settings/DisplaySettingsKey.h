#pragma once

#include "Model/Settings/DisplaySettingsScope.h"

#include <optional>
#include <string>
#include <string_view>

namespace tessarin {

// The identifier trimmed of white space and line breaks; nothing when absent or blank.
std::optional<std::string> trimmedDisplayIdentifier(const std::optional<std::string>& identifier);

// `baseKey` + ".display." + an already trimmed identifier.
std::string displaySettingsOverrideKey(std::string_view baseKey,
                                       std::string_view trimmedIdentifier);

// The key a scoped write goes to: the base key for the global scope, the override key for a
// display; nothing for a display whose identifier is blank.
std::optional<std::string> displaySettingsKey(std::string_view baseKey,
                                              const DisplaySettingsScope& scope);

} // namespace tessarin
