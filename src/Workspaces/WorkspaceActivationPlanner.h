#pragma once

#include "Model/Spaces/DisplaySpaceOrderSnapshot.h"
#include "Model/Spaces/TessarinDisplay.h"
#include "Workspaces/WorkspaceActivationTarget.h"
#include "Workspaces/WorkspaceShortcut.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tessarin {

// Turns a workspace's assignments into the switches that activate it, from the live layout of
// each display. Pure: the caller gathers the state and posts the switches.
class WorkspaceActivationPlanner {
public:
    WorkspaceActivationPlanner() = delete;

    // The resolved Space order of a display; nothing when its Spaces cannot be read.
    using SnapshotProvider = std::function<std::optional<DisplaySpaceOrderSnapshot>(
        const std::string& displayIdentifier)>;

    // With separate Spaces: one target per connected display (in their order) that the
    // workspace assigns. With shared Spaces: the shared assignment on the display that owns the
    // Spaces. An assignment is skipped when its display's Spaces cannot be read, or its visual
    // index holds no real Space with a system index (a placeholder, or beyond the layout).
    static std::vector<WorkspaceActivationTarget>
    resolvedTargets(const WorkspaceShortcut& workspace, bool displaysHaveSeparateSpaces,
                    const std::vector<TessarinDisplay>& connectedDisplays,
                    const std::optional<std::string>& sharedSpaceDisplayIdentifier,
                    const SnapshotProvider& snapshotProvider);

    // True only when no switch succeeded and no target was already active.
    static bool
    shouldBeepAfterActivation(const std::vector<WorkspaceActivationTarget>& resolvedTargets,
                              int successfulSwitchCount);

    // One assignment against one display's layout; nothing when it cannot be switched to.
    static std::optional<WorkspaceActivationTarget>
    resolveTarget(const WorkspaceTargetKey& key, int visualIndex,
                  const std::string& displayIdentifier, const DisplaySpaceOrderSnapshot& snapshot);
};

} // namespace tessarin
