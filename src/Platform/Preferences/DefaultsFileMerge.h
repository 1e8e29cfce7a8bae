#pragma once

#include "Platform/Preferences/PropertyValue.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace tessarin {

// One key as a store changed it: its new value, or none when it was removed.
struct DefaultsChange {
    std::string key;
    std::optional<PropertyValue> value;
};

struct DefaultsFileMerge {
    PropertyDictionary values;        // what the file is to hold
    std::string text;                 // its text, at most the bound long
    std::vector<std::string> refused; // keys whose change would have made the file too large
};

// Puts a store's changes onto what the file holds. When all of them would make the file larger
// than `maximumBytes`, they go on smallest first and only a change that would push the file
// past the bound is refused, so a small change is never lost for a large one made beside it.
DefaultsFileMerge mergeDefaultsChanges(PropertyDictionary onto,
                                       const std::vector<DefaultsChange>& changes,
                                       std::size_t maximumBytes);

} // namespace tessarin
