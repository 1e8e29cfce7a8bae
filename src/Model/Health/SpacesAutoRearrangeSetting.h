#pragma once

#include "Platform/Preferences/PropertyValue.h"

#include <optional>

namespace tessarin {

// The Dock's "mru-spaces" setting (automatically rearrange Spaces by recent use): a boolean, or a
// number read as one; nothing for no value or a value of another type.
std::optional<bool> spacesAutoRearrangeValue(const std::optional<PropertyValue>& value);

// The current setting, read from the Dock's preference domain of the current host.
std::optional<bool> systemSpacesAutoRearrangeEnabled();

} // namespace tessarin
