// The application delegate's Desktops: adding and removing them through Mission Control, one
// task at a time, and applying each task's result.

#include "Core/AppDelegate/AppDelegate.h"
#include "Core/MissionControl/MissionControlSpaceCreator.h"
#include "Core/Seams/MissionControlDesktopRefreshing.h"
#include "Model/Settings/OSDGridRearrangementBehavior.h"
#include "Model/Spaces/ScreenIdentity.h"
#include "Platform/Host.h"
#include "Platform/SystemAlert.h"
#include "Platform/SystemServices.h"
#include "Support/Text.h"
#include "TessarinCore/TessarinCore.h"

#include <algorithm>
#include <string>
#include <utility>

namespace tessarin {

namespace {

constexpr const char* kAddTitle = "Could Not Add Desktop";
constexpr const char* kRemoveTitle = "Could Not Remove Desktop";

void showAlert(const std::string& title, const std::string& text) {
    Host::current().system().runModalAlert(SystemAlert{title, text, {"OK"}});
}

std::string failureText(MissionControlSpaceCreationResult result) {
    using R = MissionControlSpaceCreationResult;
    switch (result) {
    case R::dockUnavailable:
        return "Tessarin could not reach the Dock to open Mission Control.";
    case R::spacesUnavailable:
        return "Tessarin could not read the display's Spaces.";
    case R::missionControlDidNotOpen:
        return "Mission Control did not open in time.";
    case R::spacesBarNotFound:
        return "Tessarin could not find the display's Spaces in Mission Control.";
    case R::addButtonNotFound:
        return "Tessarin could not find the button that adds a Desktop in Mission Control.";
    case R::actionFailed:
        return "Mission Control did not add the Desktop.";
    case R::verificationTimedOut:
        return "The new Desktop did not appear in time.";
    case R::created:
    case R::accessibilityPermissionMissing:
        break;
    }
    return "Mission Control did not add the Desktop.";
}

std::string failureText(MissionControlSpaceRemovalResult result) {
    using R = MissionControlSpaceRemovalResult;
    switch (result) {
    case R::dockUnavailable:
        return "Tessarin could not reach the Dock to open Mission Control.";
    case R::spacesUnavailable:
        return "Tessarin could not read the display's Spaces.";
    case R::spaceNotFound:
        return "The Desktop is no longer on this display.";
    case R::missionControlDidNotOpen:
        return "Mission Control did not open in time.";
    case R::spacesBarNotFound:
        return "Tessarin could not find the display's Spaces in Mission Control.";
    case R::desktopButtonNotFound:
        return "Tessarin could not find the Desktop in Mission Control.";
    case R::closeActionUnavailable:
        return "Mission Control does not offer to close this Desktop.";
    case R::actionFailed:
        return "Mission Control did not remove the Desktop.";
    case R::verificationTimedOut:
        return "The Desktop was still there after Mission Control was asked to remove it.";
    case R::removed:
    case R::accessibilityPermissionMissing:
        break;
    }
    return "Mission Control did not remove the Desktop.";
}

// The layout the grid shows until it is rebuilt: the removed Desktop's cell as a placeholder.
std::optional<DisplaySpaceOrderSnapshot>
transientSnapshotWithout(const std::optional<DisplaySpaceOrderSnapshot>& snapshot,
                         SpaceID removedSpaceID, int removedVisualIndex) {
    if (!snapshot || snapshot->spaceID(removedVisualIndex) != removedSpaceID) {
        return std::nullopt;
    }
    std::vector<SpaceID> system = snapshot->systemOrderedSpaceIDs;
    std::erase(system, removedSpaceID);
    std::vector<DisplaySpaceSlot> slots = snapshot->visualSlots;
    slots[static_cast<std::size_t>(removedVisualIndex)] = DisplaySpaceSlot::makePlaceholder();
    return DisplaySpaceOrderSnapshot::make(snapshot->displayIdentifier, std::move(system),
                                           std::move(slots), snapshot->activeSpaceID);
}

} // namespace

// --- Target ------------------------------------------------------------------------------

std::optional<AppDelegate::MissionControlSpaceCreationTarget>
AppDelegate::resolveMissionControlSpaceCreationTarget(
    const std::optional<std::string>& displayIdentifier) {
    std::optional<Screen> screen;
    if (displayIdentifier) {
        if (isBlank(*displayIdentifier)) {
            return std::nullopt;
        }
        screen = tessarinScreen(displayIdentifier);
    } else {
        screen = tessarinScreenContainingMouse();
    }
    if (!screen) {
        return std::nullopt;
    }
    const auto physical = tessarinDisplayIdentifier(*screen);
    const auto displayID = tessarinDisplayID(*screen);
    if (!physical || !displayID) {
        return std::nullopt;
    }
    const auto spaceDisplay = spaceDisplayIdentifier(physical);
    if (!spaceDisplay || spaceDisplay->empty()) {
        return std::nullopt;
    }
    return MissionControlSpaceCreationTarget{*physical, *spaceDisplay, *displayID};
}

void AppDelegate::createDesktopOnActiveDisplay() {
    if (!guardSpaceControlAccess()) {
        return;
    }
    if (isMissionControlSpaceTaskRunning()) {
        Host::current().system().beep();
        return;
    }
    const auto target = resolveMissionControlSpaceCreationTarget(std::nullopt);
    if (!target) {
        showAlert(kAddTitle, "Tessarin could not resolve the active display for Mission Control.");
        return;
    }
    startMissionControlSpaceCreation(*target);
}

// --- Tasks -------------------------------------------------------------------------------

bool AppDelegate::isMissionControlSpaceTaskRunning() const {
    return missionControlSpaceTask && !missionControlSpaceTask->isCancelled();
}

MissionControlSpaceCreator& AppDelegate::missionControlSpaceCreatorForTasks() {
    if (!missionControlSpaceCreator) {
        missionControlSpaceCreator = std::make_shared<MissionControlSpaceCreator>();
    }
    return *missionControlSpaceCreator;
}

namespace {

// Runs `handle` with the delegate once the task ended, after clearing the task, unless the
// delegate is gone by then.
template <typename Handle> auto finishingTask(std::weak_ptr<AppDelegate*> delegate, Handle handle) {
    return [delegate, handle = std::move(handle)](auto&&... results) {
        const auto alive = delegate.lock();
        if (!alive) {
            return;
        }
        AppDelegate& self = **alive;
        self.missionControlSpaceTask.reset();
        handle(self, results...);
    };
}

} // namespace

bool AppDelegate::startMissionControlSpaceCreation(
    const MissionControlSpaceCreationTarget& target) {
    if (isMissionControlSpaceTaskRunning()) {
        Host::current().system().beep();
        return false;
    }
    osdWindow_->suspendForSyntheticEventPosting();
    missionControlSpaceTask = missionControlSpaceCreatorForTasks().createSpace(
        target,
        finishingTask(self_, [target](AppDelegate& self, MissionControlSpaceCreationResult result,
                                      std::optional<SpaceID> createdSpaceID) {
            self.handleMissionControlSpaceCreationResult(result, target, createdSpaceID);
        }));
    return true;
}

bool AppDelegate::startMissionControlTailSpaceCreation(
    const MissionControlSpaceCreationTarget& target,
    const std::optional<OSDGridMouseInteractionContext>& interactionContext) {
    if (isMissionControlSpaceTaskRunning()) {
        Host::current().system().beep();
        return false;
    }
    osdWindow_->suspendForSyntheticEventPosting();
    missionControlSpaceTask = missionControlSpaceCreatorForTasks().createSpace(
        target,
        finishingTask(self_, [target, interactionContext](AppDelegate& self,
                                                          MissionControlSpaceCreationResult result,
                                                          std::optional<SpaceID> createdSpaceID) {
            self.handleMissionControlTailSpaceCreationResult(result, target, interactionContext,
                                                             createdSpaceID);
        }));
    return true;
}

bool AppDelegate::startMissionControlPlaceholderSpaceCreation(
    const MissionControlSpaceCreationTarget& target, int placeholderVisualIndex,
    int desiredSlotCount) {
    if (isMissionControlSpaceTaskRunning()) {
        Host::current().system().beep();
        return false;
    }
    osdWindow_->suspendForSyntheticEventPosting();
    missionControlSpaceTask = missionControlSpaceCreatorForTasks().createSpace(
        target,
        finishingTask(self_, [target, placeholderVisualIndex, desiredSlotCount](
                                 AppDelegate& self, MissionControlSpaceCreationResult result,
                                 std::optional<SpaceID> createdSpaceID) {
            self.handleMissionControlPlaceholderSpaceCreationResult(
                result, target, placeholderVisualIndex, desiredSlotCount, createdSpaceID);
        }));
    return true;
}

bool AppDelegate::startMissionControlSpaceRemoval(
    const MissionControlSpaceCreationTarget& target, uint32_t systemIndex, SpaceID spaceID,
    int visualIndex, const std::optional<DisplaySpaceOrderSnapshot>& snapshot) {
    if (isMissionControlSpaceTaskRunning()) {
        Host::current().system().beep();
        return false;
    }
    osdWindow_->suspendForSyntheticEventPosting();
    missionControlSpaceTask = missionControlSpaceCreatorForTasks().removeSpace(
        target, systemIndex, spaceID,
        finishingTask(self_, [target, spaceID, visualIndex, snapshot](
                                 AppDelegate& self, MissionControlSpaceRemovalResult result) {
            self.handleMissionControlSpaceRemovalResult(result, target, spaceID, visualIndex,
                                                        snapshot);
        }));
    return true;
}

// --- Results -----------------------------------------------------------------------------

namespace {

// What every finished add or remove refreshes: the predictions that may name a vanished
// Space, the menu bar and the overlays.
void refreshAfterDesktopChange(ShellRefreshing& shell) {
    tessarin_reset_switch_predictions();
    shell.refreshSpaceInfo();
    shell.refreshPersistentGridOverlay();
}

// A Space just made holds no window: its preview is the desktop picture, known at once. Stored
// before any grid shows the Space, its cell never waits on a capture as a flat fill.
void recordCreatedSpacePreviews(WindowPreviewCaching& previews,
                                const AppDelegate::MissionControlSpaceCreationTarget& target,
                                std::optional<SpaceID> createdSpaceID) {
    if (createdSpaceID) {
        previews.recordNewSpacePreviews(target.spaceDisplayIdentifier, *createdSpaceID);
    }
}

} // namespace

// A visible grid is rebuilt; with none showing on the display, its window metadata and previews
// are refreshed instead, so the next grid shows the new Spaces' windows.
void AppDelegate::refreshGridOrScheduleMetadataRefresh(
    const std::optional<std::string>& gridDisplayIdentifier, const std::string& displayIdentifier) {
    presentation_->refreshVisibleGridOSDIfVisible(gridDisplayIdentifier);
    if (!osdWindow_->isGridVisible(displayIdentifier) && missionControlDesktopRefresher) {
        missionControlDesktopRefresher->scheduleWindowSpaceMetadataAndPreviewRefresh(
            displayIdentifier);
    }
}

template <class Result>
bool AppDelegate::reportMissionControlFailure(Result result, Result success, const char* title) {
    if (result == Result::accessibilityPermissionMissing) {
        // The health window explains the permission; an alert on top would say it twice.
        healthCheckWindowController().present(TessarinHealthCheckPresentationMode::setup);
        return true;
    }
    if (result != success) {
        showAlert(title, failureText(result));
        return true;
    }
    return false;
}

void AppDelegate::handleMissionControlSpaceCreationResult(
    const MissionControlSpaceCreationResult& result,
    const MissionControlSpaceCreationTarget& target, std::optional<SpaceID> createdSpaceID) {
    if (reportMissionControlFailure(result, MissionControlSpaceCreationResult::created,
                                    kAddTitle)) {
        return;
    }
    recordCreatedSpacePreviews(*windowPreviews_, target, createdSpaceID);
    refreshAfterDesktopChange(*shell_);
    refreshGridOrScheduleMetadataRefresh(target.physicalDisplayIdentifier,
                                         target.physicalDisplayIdentifier);
}

void AppDelegate::handleMissionControlTailSpaceCreationResult(
    const MissionControlSpaceCreationResult& result,
    const MissionControlSpaceCreationTarget& target,
    const std::optional<OSDGridMouseInteractionContext>& interactionContext,
    std::optional<SpaceID> createdSpaceID) {
    if (reportMissionControlFailure(result, MissionControlSpaceCreationResult::created,
                                    kAddTitle)) {
        return;
    }
    recordCreatedSpacePreviews(*windowPreviews_, target, createdSpaceID);
    refreshAfterDesktopChange(*shell_);
    // The grid the Desktop was added from grows by a cell: it is shown again.
    const bool reshown = refreshVisibleGridOSDAllowingSpaceCountChange(
        target.physicalDisplayIdentifier, interactionContext);
    if (!reshown) {
        refreshGridOrScheduleMetadataRefresh(target.physicalDisplayIdentifier,
                                             target.physicalDisplayIdentifier);
    }
}

void AppDelegate::handleMissionControlPlaceholderSpaceCreationResult(
    const MissionControlSpaceCreationResult& result,
    const MissionControlSpaceCreationTarget& target, int placeholderVisualIndex,
    int desiredSlotCount, std::optional<SpaceID> createdSpaceID) {
    if (reportMissionControlFailure(result, MissionControlSpaceCreationResult::created,
                                    kAddTitle)) {
        return;
    }
    recordCreatedSpacePreviews(*windowPreviews_, target, createdSpaceID);
    // A new Space arrives at the end of the layout; it belongs in the cell it was made for.
    if (createdSpaceID) {
        if (const auto resolved =
                resolveDisplaySpaceOrderSnapshotWithDescriptors(target.spaceDisplayIdentifier)) {
            const DisplaySpaceOrderSnapshot& snapshot = resolved->displaySnapshot;
            const auto found = snapshot.stableSpaceIDToVisualIndex.find(*createdSpaceID);
            if (found != snapshot.stableSpaceIDToVisualIndex.end() &&
                found->second != placeholderVisualIndex) {
                spaceOrderStore.moveVisualOrder(
                    found->second, placeholderVisualIndex, OSDGridRearrangementBehavior::swap,
                    target.spaceDisplayIdentifier, snapshot.systemOrderedSpaceIDs,
                    snapshot.activeSpaceID, true,
                    std::max({desiredSlotCount, snapshot.slotCount(), placeholderVisualIndex + 1}),
                    desiredSlotCount);
            }
        }
    }
    refreshAfterDesktopChange(*shell_);
    refreshGridOrScheduleMetadataRefresh(target.physicalDisplayIdentifier,
                                         target.physicalDisplayIdentifier);
}

void AppDelegate::handleMissionControlSpaceRemovalResult(
    const MissionControlSpaceRemovalResult& result, const MissionControlSpaceCreationTarget& target,
    SpaceID removedSpaceID, int removedVisualIndex,
    const std::optional<DisplaySpaceOrderSnapshot>& snapshot) {
    if (reportMissionControlFailure(result, MissionControlSpaceRemovalResult::removed,
                                    kRemoveTitle)) {
        return;
    }
    refreshAfterDesktopChange(*shell_);
    const bool placeholderShown = refreshVisibleGridOSDWithTransientPlaceholder(
        removedVisualIndex, target.physicalDisplayIdentifier,
        transientSnapshotWithout(snapshot, removedSpaceID, removedVisualIndex));
    if (!placeholderShown) {
        refreshGridOrScheduleMetadataRefresh(currentGridOSDDisplayIdentifier,
                                             target.physicalDisplayIdentifier);
    }
}

} // namespace tessarin
