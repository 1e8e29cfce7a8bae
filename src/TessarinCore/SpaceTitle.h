#pragma once

#include "Platform/Preferences/PropertyValue.h"
#include "Platform/WindowServerTypes.h"

#include <optional>
#include <string>
#include <vector>

namespace tessarin::bridge {

// A Space's title: its own, or else the one the "com.apple.spaces" configuration keeps for it,
// found by the Space's ID (the configuration may lag behind the live lists, so positions are not
// trusted). Blank titles count as none.
std::optional<std::string> spaceTitle(const ManagedDisplaySpaces& entry, const ManagedSpace& space,
                                      const PropertyValue* spacesConfiguration);

// The titles of all the entry's Spaces in its order, the configuration read once.
std::vector<std::optional<std::string>>
spaceTitlesInOrder(const ManagedDisplaySpaces& entry, const PropertyValue* spacesConfiguration);

} // namespace tessarin::bridge
