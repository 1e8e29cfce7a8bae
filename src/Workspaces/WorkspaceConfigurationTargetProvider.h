#pragma once

#include "Model/Spaces/TessarinDisplay.h"
#include "Workspaces/WorkspaceConfigurationTarget.h"
#include "Workspaces/WorkspaceSpaceSource.h"

#include <vector>

namespace tessarin {

class DirectSlotMetadataStore;
class DisplaySpaceOrderStore;
class GridModeStore;

// The targets a workspace can assign right now, with the Spaces each offers.
class WorkspaceConfigurationTargetProvider {
public:
    WorkspaceConfigurationTargetProvider() = delete;

    static constexpr const char* sharedSpacesTitle = "Shared Spaces";

    // Separate Spaces: one target per connected display that has Spaces, in the given order.
    // Shared Spaces: at most one target for the display that owns them, named with the direct
    // slots of the display with the active menu bar (else of the first connected display). Each
    // offers the real Spaces of the display's visual layout (placeholders keep their positions),
    // titled by the custom name of their direct slot, else "Space %02d" of their position from 1.
    static std::vector<WorkspaceConfigurationTarget> liveTargets(
        bool displaysHaveSeparateSpaces, const std::vector<TessarinDisplay>& connectedDisplays,
        const GridModeStore& gridModeStore, const DirectSlotMetadataStore& directSlotMetadataStore,
        DisplaySpaceOrderStore& spaceOrderStore, const WorkspaceSpaceSource& spaceSource);
};

} // namespace tessarin
