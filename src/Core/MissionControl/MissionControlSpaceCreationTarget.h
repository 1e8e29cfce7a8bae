#pragma once

#include "Platform/WindowServerTypes.h"

#include <string>

namespace tessarin {

// Where a Desktop is added or removed through Mission Control: the physical display whose
// Spaces bar is used, the display that owns its Spaces (the shared-Spaces display when all
// displays share one set) and the physical display's number, which finds its bar.
struct MissionControlSpaceCreationTarget {
    std::string physicalDisplayIdentifier;
    std::string spaceDisplayIdentifier;
    DisplayID displayID = 0;
    friend bool operator==(const MissionControlSpaceCreationTarget&,
                           const MissionControlSpaceCreationTarget&) = default;
};

} // namespace tessarin
