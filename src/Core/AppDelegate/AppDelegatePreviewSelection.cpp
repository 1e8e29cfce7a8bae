// What a shown grid does when the user chooses a cell or moves the highlight with the keys.

#include "Core/AppDelegate/AppDelegate.h"
#include "Model/Spaces/DisplaySpaceNavigator.h"
#include "Platform/Host.h"
#include "Platform/SystemServices.h"
#include "Support/MainQueue.h"

#include <limits>

namespace tessarin {

namespace {

void beep() {
    Host::current().system().beep();
}

// A grid index as the bridge and the layout take it; none for a negative index or one past 32
// bits (the grid never makes one; a stale or hostile caller might).
std::optional<uint32_t> gridIndex(int64_t index) {
    if (index < 0 || index > std::numeric_limits<uint32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<uint32_t>(index);
}

// The Space of a real slot; none for a placeholder or an index off the layout.
std::optional<SpaceID> targetSpaceID(const std::optional<DisplaySpaceOrderSnapshot>& snapshot,
                                     int64_t visualIndex) {
    if (!snapshot || visualIndex < 0 || visualIndex >= snapshot->slotCount()) {
        return std::nullopt;
    }
    const DisplaySpaceSlot& slot = snapshot->visualSlots[static_cast<std::size_t>(visualIndex)];
    if (slot.kind != DisplaySpaceSlotKind::real) {
        return std::nullopt;
    }
    return slot.spaceID;
}

TessarinDirection bridgeDirection(OSDGridKeyboardSelectionDirection direction) {
    return static_cast<TessarinDirection>(static_cast<int>(direction));
}

} // namespace

std::optional<std::string>
AppDelegate::settingsDisplayFor(const std::optional<std::string>& display) const {
    return displaysHaveSeparateSpaces() ? display : std::nullopt;
}

AppDelegate::PredictedDisplayState
AppDelegate::predictedDisplayState(const std::optional<std::string>& spaceDisplay) {
    PredictedDisplayState state;
    state.info = resolveLiveSpaceInfo(spaceDisplay, SpaceInfoReading::predicting);
    if (!spaceDisplay || !state.info) {
        return state;
    }
    if (auto resolved =
            resolveDisplaySpaceOrderSnapshotWithDescriptors(spaceDisplay, state.info->spaceCount)) {
        state.snapshot = std::move(resolved->displaySnapshot);
    }
    return state;
}

bool AppDelegate::switchToChosenCell(uint32_t systemIndex,
                                     const std::optional<std::string>& spaceDisplay,
                                     const std::optional<DisplaySpaceOrderSnapshot>& snapshot,
                                     std::optional<SpaceID> targetSpaceID) {
    if (!postAndVerifySwitch(systemIndex, targetSpaceID, spaceDisplay, snapshot,
                             SpaceSwitchVerificationContext::switchRequest)) {
        beep();
        return false;
    }
    shell_->refreshSpaceInfo();
    shell_->refreshPersistentGridOverlay();
    return true;
}

void AppDelegate::closeOSDGrid() {
    gridOSDPreviewSession.reset();
    currentGridOSDDisplayIdentifier.reset();
    osdWindow_->hide(0.2);
}

bool AppDelegate::jumpPreviewSession(GridOSDPreviewSessionMode::Kind kind, int64_t visualIndex) {
    if (!gridOSDPreviewSession || gridOSDPreviewSession->mode.kind() != kind ||
        !gridIndex(visualIndex)) {
        beep();
        return false;
    }
    GridOSDPreviewSession session = *gridOSDPreviewSession;
    if (!session.jump(visualIndex)) {
        beep();
        return false;
    }
    gridOSDPreviewSession = session;
    return true;
}

void AppDelegate::performOSDPickerSelection(int64_t visualIndex) {
    if (!guardSpaceControlAccess()) {
        return;
    }
    if (!jumpPreviewSession(GridOSDPreviewSessionMode::Kind::picker, visualIndex)) {
        return;
    }
    // A copy: switching may close the session.
    const GridOSDPreviewSession session = *gridOSDPreviewSession;
    const PredictedDisplayState live = predictedDisplayState(session.spaceDisplayIdentifier);
    const auto resolution = session.commitResolution(
        live.info ? std::optional(live.info->currentSpaceID) : std::nullopt, live.snapshot);
    const auto systemIndex =
        resolution.kind() == DeferredSpaceSwitchCommitResolution::Kind::switchToSystemIndex
            ? gridIndex(*resolution.systemIndex())
            : std::nullopt;
    if (systemIndex && !switchToChosenCell(*systemIndex, session.spaceDisplayIdentifier,
                                           live.snapshot ? live.snapshot : session.displaySnapshot,
                                           session.selectedSpaceID)) {
        return;
    }
    closeOSDGrid();
}

void AppDelegate::performOSDPickerMouseSelection(
    int64_t visualIndex, const std::optional<std::string>& displayIdentifier) {
    if (!guardSpaceControlAccess()) {
        return;
    }
    const auto spaceDisplay = spaceDisplayIdentifier(displayIdentifier);
    const auto info = resolveLiveSpaceInfo(displayIdentifier, SpaceInfoReading::predicting);
    std::optional<DisplaySpaceOrderSnapshot> snapshot;
    if (spaceDisplay) {
        if (auto resolved = resolveDisplaySpaceOrderSnapshotWithDescriptors(
                spaceDisplay, info ? std::optional(info->spaceCount) : std::nullopt)) {
            snapshot = std::move(resolved->displaySnapshot);
        }
    }
    const auto index = gridIndex(visualIndex);
    const auto target = snapshot && index
                            ? DisplaySpaceNavigator::resolveDirectTarget(*snapshot, *index)
                            : std::nullopt;
    // A cell without a Space, or a display that cannot be read, closes the picker silently.
    if (target && target->systemIndex >= 0 &&
        !switchToChosenCell(static_cast<uint32_t>(target->systemIndex), spaceDisplay, snapshot,
                            targetSpaceID(snapshot, target->visualIndex))) {
        return;
    }
    closeOSDGrid();
}

void AppDelegate::performMouseSelection(int64_t visualIndex,
                                        const OSDDismissalBehavior& dismissalBehavior) {
    if (!guardSpaceControlAccess()) {
        return;
    }
    cancelPendingDeferredSpaceSwitch(false, false);
    const auto chosen = gridIndex(visualIndex);
    if (!currentGridOSDDisplayIdentifier || !chosen) {
        beep();
        return;
    }
    const auto display = currentGridOSDDisplayIdentifier;
    const auto spaceDisplay = spaceDisplayIdentifier(display);
    const PredictedDisplayState live = predictedDisplayState(spaceDisplay);
    if (!live.snapshot) {
        // Without a layout the chosen cell cannot be told from a system index: once the user
        // reordered the grid, posting it as one would switch to another Space.
        beep();
        return;
    }
    const auto target = DisplaySpaceNavigator::resolveDirectTarget(*live.snapshot, *chosen);
    const uint32_t shownIndex = target ? static_cast<uint32_t>(target->visualIndex) : *chosen;
    const auto spaceCount = static_cast<uint32_t>(live.snapshot->slotCount());
    if (target && target->systemIndex < 0) {
        presentation_->showOSD(shownIndex, spaceCount, std::nullopt, std::nullopt, display,
                               dismissalBehavior, GridOSDInteractionMode::overridesOSDSetting,
                               nullptr);
        return;
    }
    const uint32_t systemIndex = target ? static_cast<uint32_t>(target->systemIndex) : *chosen;
    if (!switchToChosenCell(systemIndex, spaceDisplay, live.snapshot,
                            targetSpaceID(live.snapshot, shownIndex))) {
        return;
    }
    presentation_->showOSD(shownIndex, spaceCount, std::nullopt, std::nullopt, display,
                           dismissalBehavior, GridOSDInteractionMode::respectsOSDSetting, nullptr);
}

void AppDelegate::performTrackpadAfterTapSelection(int64_t visualIndex) {
    if (jumpPreviewSession(GridOSDPreviewSessionMode::Kind::trackpadAfterTap, visualIndex)) {
        commitPendingTrackpadSwipe();
    }
}

bool AppDelegate::performOSDPickerKeyboardMove(OSDGridKeyboardSelectionDirection direction) {
    return performPreviewKeyboardMove(direction, GridOSDPreviewSessionMode::Kind::picker);
}

bool AppDelegate::performTrackpadAfterTapKeyboardMove(OSDGridKeyboardSelectionDirection direction) {
    return performPreviewKeyboardMove(direction, GridOSDPreviewSessionMode::Kind::trackpadAfterTap);
}

bool AppDelegate::performPreviewKeyboardMove(OSDGridKeyboardSelectionDirection direction,
                                             GridOSDPreviewSessionMode::Kind kind) {
    if (!gridOSDPreviewSession || gridOSDPreviewSession->mode.kind() != kind) {
        return false;
    }
    GridOSDPreviewSession session = *gridOSDPreviewSession;
    const auto& settingsDisplay = session.settingsDisplayIdentifier;
    if (!session.move(bridgeDirection(direction),
                      static_cast<uint32_t>(session.baseModel.columnCount()),
                      gridModeStore.blocksAtEdges(settingsDisplay),
                      gridModeStore.wrapStyle(settingsDisplay))) {
        return false;
    }
    gridOSDPreviewSession = session;
    const DisplayPresentationSettingsSnapshot settings =
        presentationStore.snapshot(settingsDisplay);
    const auto model = session.baseModel.selectingActiveIndex(session.selectedVisualIndex);
    if (!model) {
        return false;
    }
    const bool picker = kind == GridOSDPreviewSessionMode::Kind::picker;
    if (!picker && !settings.osd.isEnabled) {
        return false; // the moved selection stays; a later Select commits it
    }
    DisplayOSDSettings osdSettings = settings.osd;
    osdSettings.isEnabled = true;
    presentStoredPreviewSession(*model, settings, osdSettings, !picker, !picker);
    return true;
}

void AppDelegate::presentStoredPreviewSession(const OSDGridModel& model,
                                              const DisplayPresentationSettingsSnapshot& settings,
                                              const DisplayOSDSettings& osdSettings,
                                              bool hidesImmediatelyBeforeDismissalStarted,
                                              bool schedulesPreviewRefresh) {
    // A copy: switching may close the session.
    const GridOSDPreviewSession session = *gridOSDPreviewSession;
    const auto& placement = session.placementDisplayIdentifier;
    const auto manual = OSDDismissalBehavior::manual();
    const auto context = makePreviewInteractionContext(session, model, settings, manual, true);
    const auto callbacks =
        gridOSDDismissalCallbacks(placement, hidesImmediatelyBeforeDismissalStarted);
    if (osdWindow_->isGridVisible(placement)) {
        osdWindow_->refreshVisibleGrid(model, placement, settings.activeSpaceAnimationEnabled,
                                       settings.osdAppearance,
                                       OSDGridInteractionContextUpdate::replace(context),
                                       OSDDismissalUpdate{manual, callbacks}, nullptr);
        if (schedulesPreviewRefresh) {
            cancelPendingVisibleGridWindowPreviewRefresh();
            scheduleDelayedVisibleGridPreviewRefresh(placement, settings);
        }
        return;
    }
    currentGridOSDDisplayIdentifier = placement;
    cancelPendingVisibleGridWindowPreviewRefresh();
    osdWindow_->show(OSDPresentation{OSDGridPresentation::staticGrid(model)}, osdSettings,
                     settings.activeSpaceAnimationEnabled, settings.osdAppearance, manual,
                     placement, context, callbacks,
                     windowPreviews_->windowPreviewsAfterFirstRenderHandler(
                         placement, settings, nullptr, visibleGridWindowPreviewRefreshGeneration),
                     nullptr);
}

void AppDelegate::scheduleDelayedVisibleGridPreviewRefresh(
    const std::optional<std::string>& placementDisplay,
    const DisplayPresentationSettingsSnapshot& settings) {
    const int64_t generation = visibleGridWindowPreviewRefreshGeneration;
    std::weak_ptr<AppDelegate*> weakSelf = self_;
    pendingVisibleGridWindowPreviewRefreshWorkItem = Host::current().queue().asyncAfter(
        1.25, [weakSelf, placementDisplay, settings, generation] {
            if (auto self = weakSelf.lock()) {
                (*self)->windowPreviews_->scheduleVisibleGridWindowPreviewRefresh(
                    placementDisplay, settings, "visible-grid-refresh", generation);
            }
        });
}

} // namespace tessarin
