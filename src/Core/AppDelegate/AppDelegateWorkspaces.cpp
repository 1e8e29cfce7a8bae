#include "Core/AppDelegate/AppDelegate.h"
#include "Model/Spaces/TessarinDisplayCatalog.h"
#include "Platform/Host.h"
#include "Platform/SystemServices.h"
#include "TessarinCore/BridgeString.h"
#include "Workspaces/WorkspaceActivationPlanner.h"

#include <memory>

namespace tessarin {

namespace {

const char* boolText(bool value) {
    return value ? "true" : "false";
}

} // namespace

void AppDelegate::activateWorkspace(const WorkspaceShortcut& workspace,
                                    const OSDPresentationMetricsTraceRef& metricsTrace) {
    const std::string workspaceID = workspace.id.uuidString();
    mark("workspace.started", metricsTrace, [&] {
        return OSDPresentationMetricsFields{
            {"workspaceID", workspaceID},
            {"targetCount", std::to_string(workspace.targets.size())}};
    });
    if (!guardSpaceControlAccess()) {
        // The guard has told the user already.
        mark("workspace.aborted", metricsTrace, [] {
            return OSDPresentationMetricsFields{{"reason", "access"}};
        });
        return;
    }
    cancelPendingDeferredSpaceSwitch(false, false);
    currentGridOSDDisplayIdentifier.reset();
    osdWindow_->suspendForSyntheticEventPosting();

    const std::vector<TessarinDisplay> connectedDisplays =
        TessarinDisplayCatalog::connectedDisplays();
    std::optional<std::string> sharedSpaceDisplay =
        adoptBridgeString(tessarin_copy_display_identifier_with_spaces());
    if (!sharedSpaceDisplay && !connectedDisplays.empty()) {
        sharedSpaceDisplay = connectedDisplays.front().identifier;
    }
    const bool separateSpaces = displaysHaveSeparateSpaces();

    std::weak_ptr<AppDelegate*> weakSelf = self_;
    const auto snapshotProvider =
        [weakSelf](
            const std::string& displayIdentifier) -> std::optional<DisplaySpaceOrderSnapshot> {
        auto self = weakSelf.lock();
        if (!self) {
            return std::nullopt;
        }
        auto resolved = (*self)->resolveDisplaySpaceOrderSnapshotWithDescriptors(displayIdentifier);
        if (!resolved) {
            return std::nullopt;
        }
        return std::move(resolved->displaySnapshot);
    };
    const std::vector<WorkspaceActivationTarget> targets =
        WorkspaceActivationPlanner::resolvedTargets(workspace, separateSpaces, connectedDisplays,
                                                    sharedSpaceDisplay, snapshotProvider);
    if (targets.empty()) {
        mark("workspace.aborted", metricsTrace, [] {
            return OSDPresentationMetricsFields{{"reason", "unresolved-targets"}};
        });
        Host::current().system().beep();
        return;
    }

    int successfulSwitchCount = 0;
    for (const WorkspaceActivationTarget& target : targets) {
        if (target.isAlreadyActive) {
            continue;
        }
        const std::optional<std::string> spaceDisplay =
            spaceDisplayIdentifier(target.displayIdentifier);
        const std::optional<TessarinSpaceInfo> liveBefore =
            resolveLiveSpaceInfo(spaceDisplay, SpaceInfoReading::live);
        const uint32_t postVariant = tessarin_current_space_switch_post_variant();
        prepareFocusForSpaceSwitch(target.targetSpaceID, target.displaySnapshot);

        const bool success = postSpaceSwitch(target.systemIndex, target.displayIdentifier);
        if (success) {
            ++successfulSwitchCount;
            const SpaceSwitchVerificationAttempt attempt =
                beginSpaceSwitchVerificationAttempt(spaceDisplay);
            scheduleSpaceSwitchVerification(target.targetSpaceID, attempt, liveBefore, postVariant,
                                            SpaceSwitchVerificationContext::switchRequest);
        }
        mark("workspace.target.posted", metricsTrace, [&] {
            return OSDPresentationMetricsFields{
                {"success", boolText(success)},
                {"display", target.displayIdentifier},
                {"visualIndex", std::to_string(target.visualIndex)},
                {"systemIndex", std::to_string(target.systemIndex)}};
        });
    }

    if (WorkspaceActivationPlanner::shouldBeepAfterActivation(targets, successfulSwitchCount)) {
        mark("workspace.aborted", metricsTrace, [] {
            return OSDPresentationMetricsFields{{"reason", "switch-failed"}};
        });
        Host::current().system().beep();
        return;
    }
    shell_->refreshSpaceInfo();
    shell_->refreshPersistentGridOverlay();
    mark("workspace.completed", metricsTrace, [&] {
        return OSDPresentationMetricsFields{{"resolvedTargets", std::to_string(targets.size())}};
    });
}

} // namespace tessarin
