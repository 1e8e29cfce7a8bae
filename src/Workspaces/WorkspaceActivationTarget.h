#pragma once

#include "Model/Spaces/DisplaySpaceOrderSnapshot.h"
#include "Platform/WindowServerTypes.h"
#include "Workspaces/WorkspaceTargetKey.h"

#include <cstdint>
#include <string>

namespace tessarin {

// One display that a workspace brings to a Space: where to switch, and whether it is there
// already. Only targets with a real Space and a system index are ever made, so `systemIndex`
// can be handed to the bridge as it is.
struct WorkspaceActivationTarget {
    WorkspaceTargetKey key;
    std::string displayIdentifier; // the display whose Spaces switch
    int visualIndex = 0;
    uint32_t systemIndex = 0;
    SpaceID targetSpaceID = 0;
    bool isAlreadyActive = false;
    DisplaySpaceOrderSnapshot displaySnapshot;

    friend bool operator==(const WorkspaceActivationTarget&,
                           const WorkspaceActivationTarget&) = default;
};

} // namespace tessarin
