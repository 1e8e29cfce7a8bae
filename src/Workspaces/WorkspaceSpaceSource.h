#pragma once

#include "Platform/WindowServerTypes.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tessarin {

// The Spaces of one display as the window server orders them.
struct WorkspaceDisplaySpaces {
    std::vector<SpaceID> systemOrderedSpaceIDs;
    SpaceID activeSpaceID = 0;

    friend bool operator==(const WorkspaceDisplaySpaces&, const WorkspaceDisplaySpaces&) = default;
};

// Where the workspace configuration learns which Spaces exist: the display that owns the
// shared Spaces, and the Spaces of a display. Tests hand in their own closures.
struct WorkspaceSpaceSource {
    // The first display the window server lists with Spaces of its own ("Main" when they are
    // shared); nothing when none can be read.
    std::function<std::optional<std::string>()> displayIdentifierWithSpaces;
    // Nothing when the window server lists no Spaces for the display.
    std::function<std::optional<WorkspaceDisplaySpaces>(const std::string& displayIdentifier)>
        spaces;
    // The display with the active menu bar, under which the Keyboard page keeps the slot names
    // of shared Spaces; nothing when unknown.
    std::function<std::optional<std::string>()> activeMenuBarDisplayIdentifier;

    // Backed by the Spaces bridge and the window server of the current host.
    static WorkspaceSpaceSource live();
};

} // namespace tessarin
