// Editing Spaces from a shown grid: a drag stores a new visual order; removing and adding
// Desktops start a Mission Control task; the grid's button opens Mission Control.

#include "Core/AppDelegate/AppDelegate.h"
#include "Core/Seams/MissionControlDesktopRefreshing.h"
#include "Model/Settings/DisplaySettingsScope.h"
#include "Platform/Applications/ApplicationOpener.h"
#include "Platform/Host.h"
#include "Platform/SystemServices.h"
#include "UI/OSD/OSDGridVirtualDragDestinations.h"

#include <algorithm>
#include <limits>

namespace tessarin {

namespace {

constexpr const char* kAddTitle = "Could Not Add Desktop";
constexpr const char* kRemoveTitle = "Could Not Remove Desktop";
constexpr const char* kUnresolvedDisplayText =
    "Tessarin could not resolve the display for Mission Control.";

void beep() {
    Host::current().system().beep();
}

void showUnresolvedDisplayAlert(const char* title) {
    Host::current().system().runModalAlert(SystemAlert{title, kUnresolvedDisplayText, {"OK"}});
}

// Indexes past 32 bits cannot name a cell of any layout.
bool fitsLayoutIndex(int64_t index) {
    return index >= std::numeric_limits<int>::min() && index <= std::numeric_limits<int>::max();
}

} // namespace

// ---------------------------------------------------------------- Reorder

std::optional<DisplaySpaceOrderSnapshot>
AppDelegate::persistVisualReorder(int64_t from, int64_t to,
                                  const std::optional<std::string>& displayIdentifier,
                                  OSDGridRearrangementBehavior rearrangementBehavior) {
    const auto spaceDisplay = spaceDisplayIdentifier(displayIdentifier);
    if (!spaceDisplay || !fitsLayoutIndex(from) || !fitsLayoutIndex(to)) {
        return std::nullopt;
    }
    const auto live = predictedDisplayState(spaceDisplay);
    if (!live.info || !live.snapshot) {
        return std::nullopt;
    }
    const DisplaySpaceOrderSnapshot& snapshot = *live.snapshot;
    const auto settingsDisplay = settingsDisplayFor(spaceDisplay);
    const int columns = tessarin::columns(gridModeStore.columnCount(settingsDisplay));
    const auto limit =
        OSDGridVirtualDragDestinations::expandedSlotCount(snapshot.slotCount(), columns);
    const bool pastTheEnd = to >= snapshot.slotCount();
    const bool ontoPlaceholder =
        !pastTheEnd && to >= 0 && snapshot.isPlaceholder(static_cast<int>(to));
    const bool usesPlaceholders =
        pastTheEnd || ontoPlaceholder || gridModeStore.usePlaceholders(settingsDisplay);
    auto layout = spaceOrderStore.moveVisualOrder(
        static_cast<int>(from), static_cast<int>(to), rearrangementBehavior, *spaceDisplay,
        snapshot.systemOrderedSpaceIDs, snapshot.activeSpaceID, usesPlaceholders,
        static_cast<int>(std::min<int64_t>(limit, std::numeric_limits<int>::max())),
        snapshot.slotCount());
    if (layout && (pastTheEnd || ontoPlaceholder)) {
        // The grid keeps showing the placeholder cells the move made or used.
        enablePlaceholders(*spaceDisplay);
    }
    return layout;
}

void AppDelegate::enablePlaceholders(const std::string& displayIdentifier) {
    gridModeStore.setUsePlaceholders(true, displaysHaveSeparateSpaces()
                                               ? DisplaySettingsScope::display(displayIdentifier)
                                               : DisplaySettingsScope::global());
}

void AppDelegate::refreshAfterVisualReorder(const DisplaySpaceOrderSnapshot& layout) {
    shell_->refreshSpaceInfo();
    shell_->refreshPersistentGridOverlay();
    refreshVisibleGridOSDOverlays(
        VisibleGridOSDOverlayRefreshScope::display(layout.displayIdentifier));
}

void AppDelegate::performOSDPickerReorder(int64_t from, int64_t to,
                                          const std::optional<std::string>& displayIdentifier,
                                          OSDGridRearrangementBehavior rearrangementBehavior) {
    const auto layout = persistVisualReorder(from, to, displayIdentifier, rearrangementBehavior);
    if (!layout) {
        beep();
        return;
    }
    const bool ownsSession =
        gridOSDPreviewSession &&
        gridOSDPreviewSession->mode.kind() == GridOSDPreviewSessionMode::Kind::picker &&
        gridOSDPreviewSession->placementDisplayIdentifier == displayIdentifier;
    if (!ownsSession) {
        refreshAfterVisualReorder(*layout);
        return;
    }
    GridOSDPreviewSession session = *gridOSDPreviewSession;
    const auto& placement = session.placementDisplayIdentifier;
    const auto base = presentation_->makeGridOSDModel(
        layout->activeVisualIndex, session.spaceDisplayIdentifier,
        session.settingsDisplayIdentifier, placement, *layout,
        shouldCaptureGridSpaceScreenshots(placement, true, std::nullopt));
    if (!base) {
        refreshAfterVisualReorder(*layout);
        return;
    }
    if (!session.reconcile(*layout, *base)) {
        refreshAfterVisualReorder(*layout);
        beep();
        return;
    }
    gridOSDPreviewSession = session;
    const auto settings = presentationStore.snapshot(session.settingsDisplayIdentifier);
    if (const auto model = session.baseModel.selectingActiveIndex(session.selectedVisualIndex)) {
        DisplayOSDSettings osdSettings = settings.osd;
        osdSettings.isEnabled = true;
        presentStoredPreviewSession(*model, settings, osdSettings, false, false);
    }
    refreshAfterVisualReorder(*layout);
}

// ---------------------------------------------------------------- Mission Control

std::optional<MissionControlSpaceCreationTarget>
AppDelegate::missionControlEditTarget(const std::optional<std::string>& displayIdentifier,
                                      const char* alertTitle) {
    if (!guardSpaceControlAccess()) {
        return std::nullopt;
    }
    if (isMissionControlSpaceTaskRunning()) {
        beep();
        return std::nullopt;
    }
    auto target = resolveMissionControlSpaceCreationTarget(displayIdentifier);
    if (!target) {
        showUnresolvedDisplayAlert(alertTitle);
    }
    return target;
}

void AppDelegate::performOSDRemoveSpace(int64_t index,
                                        const std::optional<std::string>& displayIdentifier) {
    const auto target = missionControlEditTarget(displayIdentifier, kRemoveTitle);
    if (!target) {
        return;
    }
    const auto live = predictedDisplayState(target->spaceDisplayIdentifier);
    if (!live.info || !live.snapshot || index < 0 || index >= live.snapshot->slotCount()) {
        beep();
        return;
    }
    const DisplaySpaceOrderSnapshot& snapshot = *live.snapshot;
    const int cell = static_cast<int>(index);
    const bool placeholder = snapshot.isPlaceholder(cell);
    const auto spaceID = snapshot.spaceID(cell);
    const auto& systemIndices = snapshot.visualToSystemIndices;
    const int systemIndex = static_cast<std::size_t>(cell) < systemIndices.size()
                                ? systemIndices[static_cast<std::size_t>(cell)]
                                : -1;
    const bool removable = placeholder || (cell != snapshot.activeVisualIndex &&
                                           snapshot.systemOrderedSpaceIDs.size() >= 2 &&
                                           systemIndex >= 0 && spaceID.has_value());
    // Checked before anything is cancelled: a refusal keeps a held switch and an open picker.
    if (!removable) {
        beep();
        return;
    }
    cancelPendingDeferredSpaceSwitch(false, placeholder);
    if (!placeholder) {
        startMissionControlSpaceRemoval(*target, static_cast<uint32_t>(systemIndex), *spaceID, cell,
                                        snapshot);
        return;
    }
    const auto layout =
        spaceOrderStore.removePlaceholder(cell, target->spaceDisplayIdentifier,
                                          snapshot.systemOrderedSpaceIDs, snapshot.activeSpaceID);
    if (!layout) {
        beep();
        return;
    }
    tessarin_reset_switch_predictions();
    shell_->refreshSpaceInfo();
    shell_->refreshPersistentGridOverlay();
    refreshVisibleGridOSDOverlays(
        VisibleGridOSDOverlayRefreshScope::display(layout->displayIdentifier));
    if (missionControlDesktopRefresher) {
        missionControlDesktopRefresher->scheduleWindowSpaceMetadataAndPreviewRefresh(
            target->physicalDisplayIdentifier);
    }
}

void AppDelegate::performOSDAddSpaceAtPlaceholder(
    int64_t index, const std::optional<std::string>& displayIdentifier) {
    const auto target = missionControlEditTarget(displayIdentifier, kAddTitle);
    if (!target) {
        return;
    }
    const auto live = predictedDisplayState(target->spaceDisplayIdentifier);
    const int64_t slots = live.snapshot ? live.snapshot->slotCount() : 0;
    if (!live.info || !live.snapshot || index < 0 || index > slots) {
        beep();
        return;
    }
    const int cell = static_cast<int>(index);
    const auto shown = osdWindow_->currentGridModel(displayIdentifier);
    const bool qualifies =
        index < slots ? live.snapshot->isPlaceholder(cell) : shown && shown->isPlaceholder(index);
    // Checked before anything is cancelled: a refusal keeps a held switch and an open picker.
    if (!qualifies) {
        beep();
        return;
    }
    cancelPendingDeferredSpaceSwitch(false, false);
    startMissionControlPlaceholderSpaceCreation(*target, cell,
                                                static_cast<int>(std::max(slots, index + 1)));
}

void AppDelegate::performOSDAddSpaceAtTail(const std::optional<std::string>& displayIdentifier) {
    const auto target = missionControlEditTarget(displayIdentifier, kAddTitle);
    if (!target) {
        return;
    }
    auto context = osdWindow_->currentGridMouseInteractionContext(displayIdentifier);
    if (!context && currentGridOSDDisplayIdentifier) {
        context = osdWindow_->currentGridMouseInteractionContext(currentGridOSDDisplayIdentifier);
    }
    cancelPendingDeferredSpaceSwitch(false, false);
    startMissionControlTailSpaceCreation(*target, context);
}

void AppDelegate::performOSDOpenMissionControl() {
    cancelPendingDeferredSpaceSwitch(false, false);
    currentGridOSDDisplayIdentifier.reset();
    osdWindow_->suspendForSyntheticEventPosting();
    if (!tessarin_is_mission_control_active()) {
        Host::current().applications().openApplication(
            ApplicationOpener::missionControlApplicationPath);
    }
}

} // namespace tessarin
