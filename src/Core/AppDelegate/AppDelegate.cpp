#include "Core/AppDelegate/AppDelegate.h"

#include "Core/AppDelegate/WindowPreviewDesktopRefresher.h"
#include "Core/Presentation/OSDPresentationMetrics.h"
#include "Core/Previews/OSDGridScreenshotController.h"
#include "Hotkeys/MissionControlShortcutConflictDetector.h"
#include "Hotkeys/MissionControlShortcutOverrideEventTap.h"
#include "Hotkeys/PhysicalWindowDragTracker.h"
#include "Hotkeys/Trackpad/TrackpadNavigationInput.h"
#include "Model/Settings/OSDAppFilterSetting.h"
#include "Model/Spaces/TessarinSpaceDiagnostics.h"
#include "Platform/DisplayServer.h"
#include "Platform/Host.h"
#include "Platform/SystemServices.h"
#include "Support/BackgroundWork.h"
#include "Support/MainQueue.h"
#include "TessarinCore/BridgeString.h"
#include "TessarinCore/ManagedDisplaySpacesHandle.h"
#include "TessarinCore/SpaceLayout.h"
#include "UI/MenuBar/MainMenuKeyEquivalents.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <set>

namespace tessarin {

namespace {

// The application that takes focus when the target Space has no window of its own; it is
// always running and owns no window on a plain desktop.
constexpr const char* kNeutralApplicationBundleIdentifier = "com.apple.finder";

template <class T> std::shared_ptr<T> required(std::shared_ptr<T> seam, const char* name) {
    if (!seam) {
        std::fprintf(stderr, "AppDelegate: missing collaborator %s\n", name);
        std::abort();
    }
    return seam;
}

} // namespace

std::vector<SpaceID> AppDelegate::LiveDisplaySpaceSnapshot::systemOrderedSpaceIDs() const {
    std::vector<SpaceID> ids;
    ids.reserve(managedSpaceDescriptors.size());
    for (const ManagedSpace& space : managedSpaceDescriptors) {
        ids.push_back(space.id64);
    }
    return ids;
}

std::string AppDelegate::rawValue(SpaceSwitchVerificationContext context) {
    switch (context) {
    case SpaceSwitchVerificationContext::switchRequest:
        return "switch-request";
    case SpaceSwitchVerificationContext::deferredCommit:
        return "deferred-commit";
    }
    return "switch-request";
}

std::string AppDelegate::rawValue(SpaceSwitchVerificationOutcome outcome) {
    switch (outcome) {
    case SpaceSwitchVerificationOutcome::confirmed:
        return "confirmed";
    case SpaceSwitchVerificationOutcome::rolledBack:
        return "rolled-back";
    case SpaceSwitchVerificationOutcome::superseded:
        return "superseded";
    }
    return "confirmed";
}

std::string AppDelegate::postMethodLabel(uint32_t postVariant) {
    return postVariant == 2 ? "macos27-augmented-dock-gesture" : "synthetic-dock-gesture";
}

const Logger& AppDelegate::spaceSwitchLogger() {
    static const Logger logger("SpaceSwitch");
    return logger;
}

const Logger& AppDelegate::windowThrowLogger() {
    static const Logger logger("WindowThrow");
    return logger;
}

AppDelegate::AppDelegate(AppDelegateDependencies dependencies)
    : trackpadSwipeSettingsStore(dependencies.trackpadSwipeSettingsStore
                                     ? *dependencies.trackpadSwipeSettingsStore
                                     : TrackpadSwipeSettingsStore::shared()),
      trackpadRawInputCoordinator(dependencies.trackpadRawInputCoordinator
                                      ? *dependencies.trackpadRawInputCoordinator
                                      : TrackpadRawInputCoordinator::shared()),
      trackpadSwipeEventTap(dependencies.trackpadSwipeEventTap ? *dependencies.trackpadSwipeEventTap
                                                               : TrackpadSwipeEventTap::shared()),
      trackpadRawShadowValidator(std::make_unique<TrackpadRawShadowValidator>(
          Host::current().queue(), [] { return Host::current().queue().uptime(); })),
      hotkeyStore(dependencies.hotkeyStore ? *dependencies.hotkeyStore : HotkeyStore::shared()),
      systemShortcutConflictDetector(
          dependencies.systemShortcutConflictDetector
              ? std::move(dependencies.systemShortcutConflictDetector)
              : std::make_shared<MissionControlShortcutConflictDetector>()),
      gridModeStore(dependencies.gridModeStore ? *dependencies.gridModeStore
                                               : GridModeStore::shared()),
      presentationStore(dependencies.presentationStore
                            ? *dependencies.presentationStore
                            : DisplayPresentationSettingsStore::shared()),
      spaceOrderStore(dependencies.spaceOrderStore ? *dependencies.spaceOrderStore
                                                   : DisplaySpaceOrderStore::shared()),
      directSlotMetadataStore(dependencies.directSlotMetadataStore
                                  ? *dependencies.directSlotMetadataStore
                                  : DirectSlotMetadataStore::shared()),
      workspaceShortcutStore(dependencies.workspaceShortcutStore
                                 ? *dependencies.workspaceShortcutStore
                                 : WorkspaceShortcutStore::shared()),
      dragTracker(dependencies.dragTracker ? *dependencies.dragTracker
                                           : PhysicalWindowDragTracker::shared()),
      missionControlSpaceCreator(std::move(dependencies.missionControlSpaceCreator)),
      osdWindow_(required(std::move(dependencies.osdWindow), "osdWindow")),
      // The delegate presents its own grids unless a test stands in for it.
      presentation_(dependencies.presentation ? std::move(dependencies.presentation)
                                              : std::shared_ptr<OSDPresentationControlling>(
                                                    std::shared_ptr<void>(), this)),
      healthWindow_(std::move(dependencies.healthWindow)),
      shell_(dependencies.shell ? std::move(dependencies.shell)
                                : std::shared_ptr<ShellRefreshing>(std::shared_ptr<void>(), this)),
      hotkeys_(std::move(dependencies.hotkeys)),
      // The delegate keeps its own cell-content caches unless a test stands in for them.
      windowPreviews_(dependencies.windowPreviews
                          ? std::move(dependencies.windowPreviews)
                          : std::shared_ptr<WindowPreviewCaching>(std::shared_ptr<void>(), this)),
      metrics_(dependencies.metrics
                   ? std::move(dependencies.metrics)
                   : std::shared_ptr<OSDPresentationMetricsRecording>(
                         std::shared_ptr<void>(), &OSDPresentationMetrics::recorder())),
      trackpad_(dependencies.trackpad
                    ? std::move(dependencies.trackpad)
                    : std::make_shared<TrackpadNavigationInput>(trackpadSwipeSettingsStore,
                                                                trackpadRawInputCoordinator)),
      bridgeInitializer_(dependencies.bridgeInitializer ? std::move(dependencies.bridgeInitializer)
                                                        : std::function<bool()>(tessarin_init)),
      self_(std::make_shared<AppDelegate*>(this)) {
    missionControlShortcutOverride = std::move(dependencies.missionControlShortcutOverride);
    if (!missionControlShortcutOverride) {
        // The host's tap outlives the delegate: borrowed, not owned.
        missionControlShortcutOverride = std::shared_ptr<MissionControlShortcutOverrideControlling>(
            std::shared_ptr<void>(), &MissionControlShortcutOverrideEventTap::shared());
    }
    missionControlDesktopRefresher = std::move(dependencies.missionControlDesktopRefresher);
    makeWindowPreviewCaches(std::move(dependencies.previewExecutor));
    if (!missionControlDesktopRefresher) {
        missionControlDesktopRefresher = windowPreviewDesktopRefresher(windowPreviews_);
    }

    // Application shell.
    appFilter = OSDAppFilterSetting::persisted(Host::current().defaults());
    launchOptions = LaunchOptions::parse(
        dependencies.launchArguments,
        dependencies.environment ? dependencies.environment : LaunchOptions::processEnvironment());
    makePreferencesWindow_ = std::move(dependencies.makePreferencesWindow);
    shortcutRecorder_ = std::move(dependencies.shortcutRecorder);
    launchSnapshotWriter_ = std::move(dependencies.launchSnapshotWriter);
}

AppDelegate::~AppDelegate() {
    stopObservingProgramActivation();
    if (pendingTrackpadSwipeCommitWorkItem) {
        pendingTrackpadSwipeCommitWorkItem->cancel();
    }
    for (auto* item :
         {&pendingVisibleGridWindowPreviewRefreshWorkItem, &pendingGridScreenshotCaptureWorkItem,
          &pendingWindowSpaceMetadataRefreshWorkItem}) {
        if (*item) {
            (*item)->cancel();
        }
    }
    if (pendingWindowSpaceMetadataRefreshTask) {
        pendingWindowSpaceMetadataRefreshTask->cancel();
    }
}

// ---------------------------------------------------------------- Access and displays

bool AppDelegate::guardSpaceControlAccess() {
    if (!Host::current().system().isProcessTrusted()) {
        healthCheckWindowController().present(TessarinHealthCheckPresentationMode::setup);
        return false;
    }
    if (tessarinCoreInitialized) {
        return true;
    }
    if (bridgeInitializer_()) {
        tessarinCoreInitialized = true;
        return true;
    }
    std::printf("Failed to initialize TessarinCore event tap\n");
    std::fflush(stdout);
    Host::current().system().beep();
    return false;
}

bool AppDelegate::displaysHaveSeparateSpaces() const {
    if (separateSpacesDuringRequest_) {
        return *separateSpacesDuringRequest_;
    }
    const auto screenCount = Host::current().displays().screens().size();
    return tessarin_displays_have_separate_spaces(static_cast<uint32_t>(screenCount));
}

AppDelegate::SeparateSpacesPin::SeparateSpacesPin(AppDelegate& delegate)
    : delegate_(delegate), previous_(delegate.separateSpacesDuringRequest_) {
    delegate_.separateSpacesDuringRequest_ = delegate_.displaysHaveSeparateSpaces();
}

AppDelegate::SeparateSpacesPin::~SeparateSpacesPin() {
    delegate_.separateSpacesDuringRequest_ = previous_;
}

std::optional<std::string> AppDelegate::cursorDisplayIdentifier() const {
    return adoptBridgeString(tessarin_copy_cursor_display_identifier());
}

std::optional<std::string>
AppDelegate::spaceDisplayIdentifier(const std::optional<std::string>& displayIdentifier) {
    if (!displaysHaveSeparateSpaces()) {
        if (auto shared = adoptBridgeString(tessarin_copy_display_identifier_with_spaces())) {
            return shared;
        }
    }
    return displayIdentifier;
}

std::optional<TessarinSpaceInfo>
AppDelegate::resolveLiveSpaceInfo(const std::optional<std::string>& displayIdentifier,
                                  SpaceInfoReading reading) {
    TessarinSpaceInfo info{};
    bool ok = false;
    if (displayIdentifier) {
        const char* identifier = displayIdentifier->c_str();
        ok = reading == SpaceInfoReading::live
                 ? tessarin_get_live_space_info_for_display_identifier(identifier, &info)
                 : tessarin_get_space_info_for_display_identifier(identifier, &info);
    } else {
        ok = reading == SpaceInfoReading::live ? tessarin_get_live_space_info(&info)
                                               : tessarin_get_space_info(&info);
    }
    if (!ok) {
        return std::nullopt;
    }
    return info;
}

namespace {

std::vector<SpaceID> idsOf(const std::vector<ManagedSpace>& spaces) {
    std::vector<SpaceID> ids;
    ids.reserve(spaces.size());
    for (const ManagedSpace& space : spaces) {
        ids.push_back(space.id64);
    }
    return ids;
}

std::vector<SpaceID> otherSpaceIDsOf(const std::vector<ManagedDisplaySpaces>& lists,
                                     const ManagedDisplaySpaces* own) {
    std::vector<SpaceID> others;
    for (const ManagedDisplaySpaces& list : lists) {
        if (&list == own) {
            continue;
        }
        for (const ManagedSpace& space : list.spaces) {
            others.push_back(space.id64);
        }
    }
    std::sort(others.begin(), others.end());
    others.erase(std::unique(others.begin(), others.end()), others.end());
    return others;
}

// IDs listed twice on the display, or on the display and another one.
std::vector<SpaceID> duplicatedSpaceIDsOf(const std::vector<SpaceID>& systemIDs,
                                          const std::vector<SpaceID>& otherIDs) {
    std::vector<SpaceID> duplicated;
    std::set<SpaceID> seen;
    for (SpaceID id : systemIDs) {
        const bool twice = !seen.insert(id).second;
        const bool elsewhere = std::binary_search(otherIDs.begin(), otherIDs.end(), id);
        if ((twice || elsewhere) &&
            std::find(duplicated.begin(), duplicated.end(), id) == duplicated.end()) {
            duplicated.push_back(id);
        }
    }
    return duplicated;
}

} // namespace

std::optional<AppDelegate::ResolvedDisplaySpaceOrderSnapshot>
AppDelegate::resolveDisplaySpaceOrderSnapshotWithDescriptors(
    const std::optional<std::string>& displayIdentifier, std::optional<uint32_t> expectedSpaceCount,
    const std::vector<ManagedDisplaySpaces>* managedDisplaySpaces) {
    if (!displayIdentifier || displayIdentifier->empty()) {
        return std::nullopt;
    }
    std::vector<ManagedDisplaySpaces> read;
    if (managedDisplaySpaces == nullptr) {
        TessarinManagedDisplaySpaces* handle = tessarin_copy_managed_display_spaces();
        if (handle == nullptr) {
            return std::nullopt;
        }
        read = managedDisplaySpacesContents(*handle);
        tessarin_release_managed_display_spaces(handle);
        managedDisplaySpaces = &read;
    }
    const std::vector<ManagedDisplaySpaces>& lists = *managedDisplaySpaces;

    const ManagedDisplaySpaces* entry = bridge::findSpaceList(lists, *displayIdentifier);
    const std::vector<SpaceID> systemIDs = entry ? idsOf(entry->spaces) : std::vector<SpaceID>{};
    const SpaceID activeSpaceID =
        entry && entry->currentSpace ? entry->currentSpace->id64 : SpaceID{0};
    const std::vector<SpaceID> otherIDs = otherSpaceIDsOf(lists, entry);
    // Only the diagnostics read them.
    const std::vector<SpaceID> duplicatedIDs = TessarinSpaceDiagnostics::isEnabled()
                                                   ? duplicatedSpaceIDsOf(systemIDs, otherIDs)
                                                   : std::vector<SpaceID>{};
    const bool allowsRecovery = spaceTopologyStabilizer.allowsRecoveryReplacements();

    const bool countMatches =
        !expectedSpaceCount || *expectedSpaceCount == static_cast<uint32_t>(systemIDs.size());
    if (entry == nullptr || systemIDs.empty() || !countMatches) {
        TessarinSpaceDiagnostics::logSpaceSnapshotFailed(
            *displayIdentifier, activeSpaceID, systemIDs, otherIDs, duplicatedIDs, allowsRecovery,
            expectedSpaceCount ? std::optional<int>(static_cast<int>(*expectedSpaceCount))
                               : std::nullopt);
        return std::nullopt;
    }

    DisplaySpaceOrderStore::ResolutionContext context;
    context.otherSpaceIDs = std::set<SpaceID>(otherIDs.begin(), otherIDs.end());
    context.allowsRecoveryReplacements = allowsRecovery;
    DisplaySpaceOrderSnapshot snapshot =
        spaceOrderStore.snapshot(*displayIdentifier, systemIDs, activeSpaceID,
                                 gridModeStore.usePlaceholders(*displayIdentifier), context);
    TessarinSpaceDiagnostics::logSpaceSnapshot(*displayIdentifier, activeSpaceID, systemIDs,
                                               otherIDs, duplicatedIDs, allowsRecovery,
                                               snapshot.visualSlots, snapshot.spaceIDReplacements);
    if (!snapshot.spaceIDReplacements.empty()) {
        applySpaceIDReplacements(snapshot);
    }

    ResolvedDisplaySpaceOrderSnapshot resolved;
    resolved.liveInfo = bridge::spaceInfo(
        *entry, activeSpaceID != 0 ? std::optional<SpaceID>(activeSpaceID) : std::nullopt);
    resolved.managedSpaceDescriptors = entry->spaces;
    resolved.displaySnapshot = std::move(snapshot);
    return resolved;
}

// ---------------------------------------------------------------- Focus and posting

void AppDelegate::prepareFocusForSpaceSwitch(
    std::optional<SpaceID> targetSpaceID,
    const std::optional<DisplaySpaceOrderSnapshot>& displaySnapshot) {
    if (!targetSpaceID || !displaySnapshot || *targetSpaceID == displaySnapshot->activeSpaceID) {
        return;
    }
    const std::string& display = displaySnapshot->displayIdentifier;
    if (!windowPreviews_->isWindowlessSpace(display, *targetSpaceID)) {
        return;
    }
    // The cached answer may be old: look again before taking focus away from anyone.
    windowPreviews_->refreshWindowMetadata(*displaySnapshot);
    if (windowPreviews_->isWindowlessSpace(display, *targetSpaceID)) {
        activateNeutralApplicationForWindowlessSpace();
    }
}

void AppDelegate::activateNeutralApplicationForWindowlessSpace() {
    SystemServices& system = Host::current().system();
    const auto application =
        system.runningApplicationWithBundleIdentifier(kNeutralApplicationBundleIdentifier);
    if (!application) {
        spaceSwitchLogger().info("neutral application unavailable bundle=" +
                                 std::string(kNeutralApplicationBundleIdentifier));
        return;
    }
    system.activate(application->processIdentifier);
}

bool AppDelegate::postSpaceSwitch(uint32_t toSystemIndex,
                                  const std::optional<std::string>& displayIdentifier) {
    // A grid left on screen would take the synthetic gesture for itself.
    osdWindow_->suspendForSyntheticEventPosting();
    if (displayIdentifier && displaysHaveSeparateSpaces()) {
        return tessarin_switch_to_index_on_display_identifier(displayIdentifier->c_str(),
                                                              toSystemIndex);
    }
    return tessarin_switch_to_index(toSystemIndex);
}

// ---------------------------------------------------------------- Cancellation

void AppDelegate::cancelPendingVisibleGridWindowPreviewRefresh() {
    ++visibleGridWindowPreviewRefreshGeneration;
    if (pendingVisibleGridWindowPreviewRefreshWorkItem) {
        pendingVisibleGridWindowPreviewRefreshWorkItem->cancel();
        pendingVisibleGridWindowPreviewRefreshWorkItem.reset();
    }
}

void AppDelegate::cancelPendingDeferredSpaceSwitch(bool preservingManualPicker,
                                                   bool preservingCurrentPreviewSession) {
    if (pendingTrackpadSwipeCommitWorkItem) {
        pendingTrackpadSwipeCommitWorkItem->cancel();
        pendingTrackpadSwipeCommitWorkItem.reset();
    }
    trackpad_->cancelPendingTapCommit();
    trackpadSwipeGestureIsActive = false;
    pendingDeferredWindowThrowCandidate.reset();
    if (preservingCurrentPreviewSession) {
        return;
    }
    if (preservingManualPicker && gridOSDPreviewSession &&
        gridOSDPreviewSession->mode.kind() == GridOSDPreviewSessionMode::Kind::picker) {
        return;
    }
    gridOSDPreviewSession.reset();
}

void AppDelegate::toggleOSDSpacePicker(const OSDPresentationMetricsTraceRef& metricsTrace) {
    if (gridOSDPreviewSession &&
        gridOSDPreviewSession->mode.kind() == GridOSDPreviewSessionMode::Kind::picker) {
        const std::optional<std::string> display =
            gridOSDPreviewSession->placementDisplayIdentifier
                ? gridOSDPreviewSession->placementDisplayIdentifier
                : currentGridOSDDisplayIdentifier;
        if (osdWindow_->isGridVisible(display)) {
            gridOSDPreviewSession.reset();
            currentGridOSDDisplayIdentifier.reset();
            osdWindow_->hide(0.2);
            return;
        }
    }
    if (gridModeStore.globalShowOSDSpacePickerOnAllScreens) {
        presentation_->showOSDSpacePickerOnAllScreens(metricsTrace);
    } else {
        presentation_->showOSDSpacePickerOnCursorDisplay(metricsTrace);
    }
}

} // namespace tessarin
