#pragma once

#include "Platform/Preferences/PropertyValue.h"

#include <optional>
#include <string>
#include <string_view>

namespace tessarin {

// The text of a persisted defaults file: one JSON object of tagged values (see toTaggedJson) by
// key.
std::string defaultsFileText(const PropertyDictionary& values);

// The values of a defaults file, or why it cannot be read; any bytes give one or the other.
struct DefaultsFileReadResult {
    std::optional<PropertyDictionary> values;
    std::string error;
};
DefaultsFileReadResult readDefaultsFileText(std::string_view text);

} // namespace tessarin
