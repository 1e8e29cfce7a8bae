#include "Workspaces/WorkspaceActivationPlanner.h"

#include <algorithm>

namespace tessarin {

namespace {

void appendResolved(std::vector<WorkspaceActivationTarget>& targets, const WorkspaceTargetKey& key,
                    int visualIndex, const std::string& displayIdentifier,
                    const WorkspaceActivationPlanner::SnapshotProvider& snapshotProvider) {
    if (!snapshotProvider) {
        return;
    }
    const auto snapshot = snapshotProvider(displayIdentifier);
    if (!snapshot) {
        return;
    }
    if (auto target = WorkspaceActivationPlanner::resolveTarget(key, visualIndex, displayIdentifier,
                                                                *snapshot)) {
        targets.push_back(std::move(*target));
    }
}

} // namespace

std::optional<WorkspaceActivationTarget>
WorkspaceActivationPlanner::resolveTarget(const WorkspaceTargetKey& key, int visualIndex,
                                          const std::string& displayIdentifier,
                                          const DisplaySpaceOrderSnapshot& snapshot) {
    if (visualIndex < 0 || visualIndex >= static_cast<int>(snapshot.visualToSystemIndices.size())) {
        return std::nullopt;
    }
    // A cell without a Space maps to -1; handing that on would switch to a huge index.
    const int systemIndex = snapshot.visualToSystemIndices[static_cast<std::size_t>(visualIndex)];
    const auto spaceID = snapshot.spaceID(visualIndex);
    if (systemIndex < 0 || !spaceID) {
        return std::nullopt;
    }
    WorkspaceActivationTarget target;
    target.key = key;
    target.displayIdentifier = displayIdentifier;
    target.visualIndex = visualIndex;
    target.systemIndex = static_cast<uint32_t>(systemIndex);
    target.targetSpaceID = *spaceID;
    target.isAlreadyActive = *spaceID == snapshot.activeSpaceID;
    target.displaySnapshot = snapshot;
    return target;
}

std::vector<WorkspaceActivationTarget> WorkspaceActivationPlanner::resolvedTargets(
    const WorkspaceShortcut& workspace, bool displaysHaveSeparateSpaces,
    const std::vector<TessarinDisplay>& connectedDisplays,
    const std::optional<std::string>& sharedSpaceDisplayIdentifier,
    const SnapshotProvider& snapshotProvider) {
    std::vector<WorkspaceActivationTarget> targets;
    if (displaysHaveSeparateSpaces) {
        for (const TessarinDisplay& display : connectedDisplays) {
            const WorkspaceTargetKey key = WorkspaceTargetKey::display(display.identifier);
            const auto assignment = workspace.targets.find(key);
            if (assignment != workspace.targets.end()) {
                appendResolved(targets, key, assignment->second, display.identifier,
                               snapshotProvider);
            }
        }
        return targets;
    }
    const auto assignment = workspace.targets.find(WorkspaceTargetKey::sharedSpaces());
    if (assignment != workspace.targets.end() && sharedSpaceDisplayIdentifier) {
        appendResolved(targets, assignment->first, assignment->second,
                       *sharedSpaceDisplayIdentifier, snapshotProvider);
    }
    return targets;
}

bool WorkspaceActivationPlanner::shouldBeepAfterActivation(
    const std::vector<WorkspaceActivationTarget>& resolvedTargets, int successfulSwitchCount) {
    if (successfulSwitchCount > 0) {
        return false;
    }
    return std::none_of(resolvedTargets.begin(), resolvedTargets.end(),
                        [](const WorkspaceActivationTarget& t) { return t.isAlreadyActive; });
}

} // namespace tessarin
