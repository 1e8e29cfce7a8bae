#pragma once

#include "Platform/WindowServerTypes.h"

#include <string>

namespace tessarin {

// The Space a grid is about: its display, its ID, and its place among the display's Spaces.
struct OSDGridSpaceContext {
    std::string displayIdentifier;
    SpaceID spaceID = 0;
    int index = 0;
    int count = 0;

    friend bool operator==(const OSDGridSpaceContext&, const OSDGridSpaceContext&) = default;
};

} // namespace tessarin
