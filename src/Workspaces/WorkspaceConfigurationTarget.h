#pragma once

#include "Workspaces/WorkspaceTargetKey.h"

#include <optional>
#include <string>
#include <vector>

namespace tessarin {

// One Space a workspace can assign on a target, titled as the user sees it.
struct WorkspaceConfigurationSpaceOption {
    int visualIndex = 0;
    std::string title;

    friend bool operator==(const WorkspaceConfigurationSpaceOption&,
                           const WorkspaceConfigurationSpaceOption&) = default;
};

// Something a workspace can bring to a Space: one display, or the Spaces all displays share.
struct WorkspaceConfigurationTarget {
    WorkspaceTargetKey key;
    std::string displayIdentifier;                        // whose Spaces are listed
    std::optional<std::string> metadataDisplayIdentifier; // whose direct-slot names are used
    std::string title;
    std::vector<WorkspaceConfigurationSpaceOption> spaceOptions; // in visual order

    friend bool operator==(const WorkspaceConfigurationTarget&,
                           const WorkspaceConfigurationTarget&) = default;
};

} // namespace tessarin
