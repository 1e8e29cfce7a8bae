#pragma once

#include "Core/AppDelegate/LaunchOptions.h"
#include "Core/MissionControl/MissionControlSpaceCreationTarget.h"
#include "Core/Presentation/OSDGridSpaceTitleEntry.h"
#include "Core/Presentation/VisibleGridOSDOverlayRefreshScope.h"
#include "Core/Previews/OSDGridAppIconController.h"
#include "Core/Previews/OSDGridRefreshTask.h"
#include "Core/Previews/OSDGridWindowPreviewRefreshScheduler.h"
#include "Core/Previews/OSDGridWindowSpaceController.h"
#include "Core/Seams/OSDPresentationControlling.h"
#include "Core/Seams/ShellRefreshing.h"
#include "Core/Seams/ShortcutRecordingCancelling.h"
#include "Core/Seams/WindowPreviewCaching.h"
#include "Core/Switching/GridOSDPreviewSession.h"
#include "Core/Switching/GridOSDPreviewSessionMode.h"
#include "Core/Switching/SpaceSwitchVerificationGenerationTracker.h"
#include "Core/WindowThrow/FocusedWindowThrowCandidate.h"
#include "Core/WindowThrow/FocusedWindowThrowError.h"
#include "Hotkeys/HotkeyAction.h"
#include "Hotkeys/HotkeyCombination.h"
#include "Hotkeys/HotkeyOverrideRegistration.h"
#include "Hotkeys/HotkeyStore.h"
#include "Hotkeys/HotkeyTriggerContext.h"
#include "Hotkeys/SystemShortcutConflictDetecting.h"
#include "Hotkeys/Trackpad/TrackpadRawInputCoordinator.h"
#include "Hotkeys/Trackpad/TrackpadRawNavigationMode.h"
#include "Hotkeys/Trackpad/TrackpadRawShadowValidator.h"
#include "Hotkeys/Trackpad/TrackpadSwipeEventTap.h"
#include "Model/Health/TessarinSpacePracticeState.h"
#include "Model/Seams/HealthWindowPresenting.h"
#include "Model/Seams/HotkeyReregistering.h"
#include "Model/Seams/OSDPresentationMetricsRecording.h"
#include "Model/Seams/PreferencesWindowPresenting.h"
#include "Model/Seams/TrackpadInputControlling.h"
#include "Model/Settings/DisplayPresentationSettingsStore.h"
#include "Model/Settings/GridModeStore.h"
#include "Model/Settings/OSDAppFilter.h"
#include "Model/Settings/TrackpadSwipeSettingsStore.h"
#include "Model/Spaces/DirectSlotMetadataStore.h"
#include "Model/Spaces/DisplaySpaceOrderSnapshot.h"
#include "Model/Spaces/DisplaySpaceOrderStore.h"
#include "Model/Spaces/SpaceTopologyStabilizer.h"
#include "Platform/Program/ProgramActivation.h"
#include "Platform/Screen.h"
#include "Platform/WindowServerTypes.h"
#include "Platform/WorkspaceNotificationCenter.h"
#include "Support/Logger.h"
#include "Support/Published.h"
#include "Support/WorkItem.h"
#include "TessarinCore/TessarinCore.h"
#include "UI/MenuBar/MainMenu.h"
#include "UI/MenuBar/MenuBarControllerDelegate.h"
#include "UI/MenuBar/MenuBarDirectionalAvailability.h"
#include "UI/MenuBar/MenuBarGridIconModel.h"
#include "UI/OSD/OSDWindowControlling.h"
#include "UI/Preferences/About/SoftwareUpdateController.h"
#include "Workspaces/WorkspaceShortcut.h"
#include "Workspaces/WorkspaceShortcutStore.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace tessarin {

class BackgroundWork;
class Executor;
class OSDGridScreenshotController;
class PhysicalWindowDragTracker;
class MissionControlDesktopRefreshing;
class MissionControlShortcutOverrideControlling;
class MissionControlSpaceCreator;
enum class MissionControlSpaceCreationResult;
enum class MissionControlSpaceRemovalResult;
// Menu bar and overlays.
class MainMenuKeyEquivalents;
class MenuBarController;
class PersistentGridOverlayController;
class PersistentTitleOverlayController;

// The delegate's collaborators. The stores and the drag tracker default to the current host's
// shared instances; the neighbouring subsystems must be given (construction aborts without
// them, since a switch that silently reached no OSD or shell would hide faults).
struct AppDelegateDependencies {
    GridModeStore* gridModeStore = nullptr;
    DisplayPresentationSettingsStore* presentationStore = nullptr;
    DisplaySpaceOrderStore* spaceOrderStore = nullptr;
    DirectSlotMetadataStore* directSlotMetadataStore = nullptr;
    WorkspaceShortcutStore* workspaceShortcutStore = nullptr;
    HotkeyStore* hotkeyStore = nullptr;
    PhysicalWindowDragTracker* dragTracker = nullptr;
    std::shared_ptr<MissionControlSpaceCreator> missionControlSpaceCreator;
    TrackpadSwipeSettingsStore* trackpadSwipeSettingsStore = nullptr;
    TrackpadRawInputCoordinator* trackpadRawInputCoordinator = nullptr;
    TrackpadSwipeEventTap* trackpadSwipeEventTap = nullptr;

    std::shared_ptr<OSDWindowControlling> osdWindow;
    std::shared_ptr<OSDPresentationControlling> presentation;
    // Health check: the health window (made by the delegate when not given) and the
    // preferences window that its "Open Settings" brings in front (nothing without one).
    std::shared_ptr<HealthWindowPresenting> healthWindow;
    std::shared_ptr<OSDPresentationMetricsRecording> metrics;

    // Optional: the delegate presents its own grids, refreshes its own menu bar and overlays
    // and uses the real latency tracer unless given stand-ins (the engine's tests give
    // recording ones); the engine's trackpad side defaults to the trackpad store and raw input;
    // the override tap and the conflict detector default to the host's; without the Desktop
    // refresher a Desktop task refreshes only the Space info, the overlays and a visible grid;
    // given a re-registrar, the delegate leaves re-registering all hotkeys to it.
    std::shared_ptr<ShellRefreshing> shell;
    std::shared_ptr<MissionControlShortcutOverrideControlling> missionControlShortcutOverride;
    std::shared_ptr<SystemShortcutConflictDetecting> systemShortcutConflictDetector;
    std::shared_ptr<HotkeyReregistering> hotkeys;
    std::shared_ptr<MissionControlDesktopRefreshing> missionControlDesktopRefresher;
    std::shared_ptr<TrackpadInputControlling> trackpad;

    // Initialises the Spaces bridge; `tessarin_init` when not given.
    std::function<bool()> bridgeInitializer;

    // Application shell. The launch options come from these arguments (the program's path
    // first) and the environment (the process's when not given). The preferences window is
    // made on first use; without a maker, opening it does nothing. Without a recorder control
    // the one-shot recorder is stopped in its place. The snapshot writer answers none on
    // success, else why it failed.
    std::vector<std::string> launchArguments;
    LaunchOptions::EnvironmentLookup environment;
    std::function<std::shared_ptr<PreferencesWindowPresenting>(SoftwareUpdateChecking&)>
        makePreferencesWindow;
    std::shared_ptr<ShortcutRecordingCancelling> shortcutRecorder;
    std::function<std::optional<std::string>(const std::filesystem::path&)> launchSnapshotWriter;

    // Window previews: the delegate keeps its own cell-content caches unless given stand-ins;
    // window-list scans and captures run on the executor (a small thread pool when not given).
    std::shared_ptr<WindowPreviewCaching> windowPreviews;
    std::shared_ptr<Executor> previewExecutor;
};

// The application delegate: holds the program's long-lived state and coordinates the
// subsystems. This part is the Space switching engine: it turns a request (direction, visual
// index, last Space, workspace, grid click, trackpad swipe) into a switch on the right display
// and checks afterwards that the switch happened. Main thread only.
class AppDelegate : public OSDPresentationControlling,
                    public HotkeyReregistering,
                    public ShellRefreshing,
                    public WindowPreviewCaching,
                    public MenuBarControllerDelegate {
public:
    // A display's Space layout together with its live Space info and the window server's Space
    // descriptors; the common result of resolving a display.
    struct ResolvedDisplaySpaceOrderSnapshot {
        DisplaySpaceOrderSnapshot displaySnapshot;
        std::optional<TessarinSpaceInfo> liveInfo;
        std::vector<ManagedSpace> managedSpaceDescriptors;
        friend bool operator==(const ResolvedDisplaySpaceOrderSnapshot&,
                               const ResolvedDisplaySpaceOrderSnapshot&) = default;
    };

    // The window server's Space descriptors of one display, in its own order.
    struct LiveDisplaySpaceSnapshot {
        std::vector<ManagedSpace> managedSpaceDescriptors;
        std::vector<SpaceID> systemOrderedSpaceIDs() const;
        friend bool operator==(const LiveDisplaySpaceSnapshot&,
                               const LiveDisplaySpaceSnapshot&) = default;
    };

    // A Space that was active on a display.
    struct LastSpaceReference {
        std::string displayIdentifier;
        SpaceID spaceID = 0;
        friend bool operator==(const LastSpaceReference&, const LastSpaceReference&) = default;
    };

    using SpaceSwitchVerificationAttempt = tessarin::SpaceSwitchVerificationAttempt;

    // Which bridge readers a Space info read uses: the live ones, or the ones that show a
    // switch posted less than a second ago as already done.
    enum class SpaceInfoReading { live, predicting };

    // Why a verification runs: a switch request, or the commit of a deferred preview.
    enum class SpaceSwitchVerificationContext { switchRequest, deferredCommit };
    enum class SpaceSwitchVerificationOutcome { confirmed, rolledBack, superseded };
    static std::string rawValue(SpaceSwitchVerificationContext context);
    static std::string rawValue(SpaceSwitchVerificationOutcome outcome);
    // "macos27-augmented-dock-gesture" for post variant 2, else "synthetic-dock-gesture".
    static std::string postMethodLabel(uint32_t postVariant);

    static constexpr double spaceSwitchVerificationDelay = 1.1;
    static constexpr double trackpadCommitDelayWhileGestureActive = 1.25;

    explicit AppDelegate(AppDelegateDependencies dependencies);
    ~AppDelegate() override;
    AppDelegate(const AppDelegate&) = delete;
    AppDelegate& operator=(const AppDelegate&) = delete;

    // ---------------------------------------------------------------- Space switching

    // Moves one Space in `direction` (0 left, 1 right, 2 up, 3 down) on the display (none: the
    // display under the pointer) under its grid rules, at once or through a deferred preview.
    void
    performSpaceSwitch(TessarinDirection direction,
                       const std::optional<std::string>& displayIdentifier = std::nullopt,
                       const std::optional<HotkeyCombination>& triggerCombination = std::nullopt,
                       const OSDPresentationMetricsTraceRef& metricsTrace = nullptr);
    // Switches to the Space at a visual index (0 for Space 1), through a deferred preview, or
    // throws the dragged window there while the left button is held.
    void performSpaceSwitchToIndex(
        uint32_t index, const std::optional<std::string>& displayIdentifier = std::nullopt,
        const std::optional<HotkeyCombination>& triggerCombination = std::nullopt,
        const OSDPresentationMetricsTraceRef& metricsTrace = nullptr);
    // Switches back to the remembered last Space.
    void
    performSpaceLastSpace(const std::optional<HotkeyCombination>& triggerCombination = std::nullopt,
                          const OSDPresentationMetricsTraceRef& metricsTrace = nullptr);
    // Hides every OSD window at once, then posts the switch (on the display when Spaces are
    // separate and one is given, else on the pointer's display); false when nothing was posted.
    bool postSpaceSwitch(uint32_t toSystemIndex,
                         const std::optional<std::string>& displayIdentifier);
    // True when trusted for Accessibility and the bridge is initialised; otherwise the user was
    // told (health window, or a beep) and the request is refused.
    bool guardSpaceControlAccess();
    // The display that owns the Spaces of a display (the shared-Spaces display when all share).
    std::optional<std::string>
    spaceDisplayIdentifier(const std::optional<std::string>& displayIdentifier);
    std::optional<TessarinSpaceInfo>
    resolveLiveSpaceInfo(const std::optional<std::string>& displayIdentifier,
                         SpaceInfoReading reading = SpaceInfoReading::live);
    // Merges the live system order of a display's Spaces with the stored visual layout; none
    // when the display's Spaces cannot be read (or their count is not the expected one). A pass
    // over every display hands in the one layout it read.
    std::optional<ResolvedDisplaySpaceOrderSnapshot>
    resolveDisplaySpaceOrderSnapshotWithDescriptors(
        const std::optional<std::string>& displayIdentifier,
        std::optional<uint32_t> expectedSpaceCount = std::nullopt,
        const std::vector<ManagedDisplaySpaces>* managedDisplaySpaces = nullptr);
    // Refreshes window metadata and activates a neutral application when the target Space has
    // no windows, so the switch does not pull a window of another Space along.
    void
    prepareFocusForSpaceSwitch(std::optional<SpaceID> targetSpaceID,
                               const std::optional<DisplaySpaceOrderSnapshot>& displaySnapshot);
    void activateNeutralApplicationForWindowlessSpace();

    // ---------------------------------------------------------------- Verification

    SpaceSwitchVerificationAttempt
    beginSpaceSwitchVerificationAttempt(const std::optional<std::string>& displayIdentifier);
    // 1.1 s later compares the live Space of the attempt's display with the target: confirmed,
    // rolled back (predictions cleared, Space info, overlays and a visible grid refreshed), or
    // superseded by a newer attempt on the same key.
    void scheduleSpaceSwitchVerification(SpaceID targetSpaceID,
                                         const SpaceSwitchVerificationAttempt& attempt,
                                         std::optional<TessarinSpaceInfo> liveBefore,
                                         uint32_t postVariant,
                                         SpaceSwitchVerificationContext context);

    // ---------------------------------------------------------------- Deferred previews

    // Opens or moves a preview one step in `direction` instead of switching; true when a
    // preview session now holds the pending target.
    bool previewDeferredTrackpadSwipe(TessarinDirection direction, GridOSDPreviewSessionMode mode);
    // For an open trackpad preview: (re)schedules its commit, 1.25 s while the gesture is
    // active, else after the trackpad delay setting.
    void schedulePendingTrackpadSwipeCommit();
    void commitPendingTrackpadSwipe();
    // Commits an open deferred preview (switches or throws the dragged window); nothing without
    // one. Called when a shown grid starts to be dismissed.
    void commitDeferredPreviewSession();
    void cancelPendingDeferredSpaceSwitch(bool preservingManualPicker,
                                          bool preservingCurrentPreviewSession);
    void cancelPendingVisibleGridWindowPreviewRefresh();
    // Closes a visible picker, or opens one (on every screen or the pointer's).
    void toggleOSDSpacePicker(const OSDPresentationMetricsTraceRef& metricsTrace);

    // ---------------------------------------------------------------- Trackpad navigation

    // Brings the raw input and the Dock-swipe tap in line with the settings; drops any pending
    // deferred switch, hiding its preview.
    void updateTrackpadSwipeEventTap();
    // Swallows the system's Dock swipe only while navigation is on, trusted and raw input is
    // available.
    void updateTrackpadSwipeSuppressionEventTap();
    // One recognised swipe, switched at once, after a delay or on a tap as the settings say.
    void handleTrackpadSwipe(TessarinDirection direction);
    void handleTrackpadSwipeGestureActivity(TrackpadSwipeGestureActivity activity);
    // Subscribes to the trackpad settings and the raw input's state; called by `bindHotkeys`.
    void bindTrackpad();

    TrackpadSwipeSettingsStore& trackpadSwipeSettingsStore;
    TrackpadRawInputCoordinator& trackpadRawInputCoordinator;
    TrackpadSwipeEventTap& trackpadSwipeEventTap;
    // Read once: whether the raw input or the Dock-swipe tap drives navigation.
    TrackpadRawNavigationMode trackpadRawNavigationMode = currentTrackpadRawNavigationMode();
    std::unique_ptr<TrackpadRawShadowValidator> trackpadRawShadowValidator;

    // ---------------------------------------------------------------- Window throw
    // (the dragged window travels along on a direct jump while the left button is held)

    // The window dragged by hand right now, if a physical drag is in progress.
    std::optional<FocusedWindowThrowCandidate> captureFocusedWindowThrowCandidate();
    // Starts throwing the candidate to the Space at a system index of a Space display; nothing
    // when the throw task started, else why it could not.
    std::optional<FocusedWindowThrowError>
    throwFocusedWindow(const FocusedWindowThrowCandidate& candidate, uint32_t targetSystemIndex,
                       std::optional<SpaceID> targetSpaceID,
                       const std::optional<std::string>& spaceDisplayIdentifier);
    // Ends the running throw, if any, as cancelled (a newer throw, or termination).
    void cancelFocusedWindowThrow();

    // The input subsystem's Mission Control shortcut override tap, stopped while a throw presses
    // the system shortcut (it could swallow the keys); re-registering the hotkeys at the end of
    // the throw brings it back.
    std::shared_ptr<MissionControlShortcutOverrideControlling> missionControlShortcutOverride;
    // How often and how long a throw looks for the window on its target Space.
    double focusedWindowThrowPollInterval = 0.1;
    double focusedWindowThrowTimeout = 3.0;
    // The throw in progress, or the last one (with its result); `focusedWindowThrowTask` is its
    // cancellable handle.
    std::shared_ptr<class FocusedWindowThrowTask> runningFocusedWindowThrow;
    // True from the moment a throw stops the override tap until a throw that runs to its end
    // registers the hotkeys again (a superseded throw leaves that to its successor).
    bool focusedWindowThrowStoppedShortcutOverride = false;

    // ---------------------------------------------------------------- Workspaces

    // Switches every display the workspace assigns that is not already on its target.
    void activateWorkspace(const WorkspaceShortcut& workspace,
                           const OSDPresentationMetricsTraceRef& metricsTrace = nullptr);

    // ---------------------------------------------------------------- Hotkeys

    // Subscribes to the stores whose changes re-register the hotkeys or refresh what shows
    // the Spaces; called once at start-up.
    void bindHotkeys();
    // Throws every registration away and registers the hotkeys and workspace shortcuts anew,
    // handing those that clash with a system shortcut to the override tap; nothing is
    // registered while the Space topology settles.
    void reregisterAllHotkeys() override;
    // A trace of one hotkey press, started when it was received; none with metrics off.
    OSDPresentationMetricsTraceRef hotkeyMetricsTrace(const HotkeyAction& action,
                                                      const HotkeyCombination& combination,
                                                      const HotkeyTriggerContext& triggerContext);

    HotkeyStore& hotkeyStore;
    std::shared_ptr<SystemShortcutConflictDetecting> systemShortcutConflictDetector;
    // The store subscriptions; they end with the delegate.
    std::vector<Subscription> cancellables;

    // ---------------------------------------------------------------- Topology

    void beginSpaceTopologyStabilization(const std::string& reason);
    void completeSpaceTopologyStabilization();
    bool shouldSuppressTopologySensitiveWork(const std::string& reason);
    void applySpaceIDReplacements(const DisplaySpaceOrderSnapshot& snapshot);
    // The reason of the stabilization whose completion is pending.
    std::optional<std::string> pendingSpaceTopologyStabilizationReason;

    // ---------------------------------------------------------------- Mission Control Desktops
    // (a Desktop is added or removed by driving Mission Control; one task at a time)

    using MissionControlSpaceCreationTarget = tessarin::MissionControlSpaceCreationTarget;

    // The display (none: the display under the pointer) with the display that owns its Spaces
    // and its number; none when it is not connected or its Spaces have no display.
    std::optional<MissionControlSpaceCreationTarget>
    resolveMissionControlSpaceCreationTarget(const std::optional<std::string>& displayIdentifier);
    // The menu's "Add Desktop": adds a Desktop on the display under the pointer.
    void createDesktopOnActiveDisplay();

    // True while an add or remove runs. A task cancelled from outside no longer counts, so a
    // cancelled handle left in `missionControlSpaceTask` never blocks the next request.
    bool isMissionControlSpaceTaskRunning() const;
    // Start a Desktop task and keep it as `missionControlSpaceTask`; the callers have checked
    // access and that no task runs (a second request beeps here and starts nothing). Every
    // OSD window is hidden first. Each returns whether the task started.
    bool startMissionControlSpaceCreation(const MissionControlSpaceCreationTarget& target);
    bool startMissionControlTailSpaceCreation(
        const MissionControlSpaceCreationTarget& target,
        const std::optional<OSDGridMouseInteractionContext>& interactionContext);
    bool
    startMissionControlPlaceholderSpaceCreation(const MissionControlSpaceCreationTarget& target,
                                                int placeholderVisualIndex, int desiredSlotCount);
    bool startMissionControlSpaceRemoval(const MissionControlSpaceCreationTarget& target,
                                         uint32_t systemIndex, SpaceID spaceID, int visualIndex,
                                         const std::optional<DisplaySpaceOrderSnapshot>& snapshot);

    // Apply a finished task's result: refresh what shows the display's Spaces, or tell the
    // user (the health window when Accessibility permission is missing, else an alert).
    // A new Space's cell shows the desktop picture from the start (`recordNewSpacePreviews`).
    void handleMissionControlSpaceCreationResult(const MissionControlSpaceCreationResult& result,
                                                 const MissionControlSpaceCreationTarget& target,
                                                 std::optional<SpaceID> createdSpaceID);
    void handleMissionControlTailSpaceCreationResult(
        const MissionControlSpaceCreationResult& result,
        const MissionControlSpaceCreationTarget& target,
        const std::optional<OSDGridMouseInteractionContext>& interactionContext,
        std::optional<SpaceID> createdSpaceID);
    // Moves the new Space into the placeholder cell it was made for.
    void handleMissionControlPlaceholderSpaceCreationResult(
        const MissionControlSpaceCreationResult& result,
        const MissionControlSpaceCreationTarget& target, int placeholderVisualIndex,
        int desiredSlotCount, std::optional<SpaceID> createdSpaceID);
    // Shows the removed Desktop's cell as a placeholder until the grid is rebuilt.
    void handleMissionControlSpaceRemovalResult(
        const MissionControlSpaceRemovalResult& result,
        const MissionControlSpaceCreationTarget& target, SpaceID removedSpaceID,
        int removedVisualIndex, const std::optional<DisplaySpaceOrderSnapshot>& snapshot);

    // Rebuilds a visible grid; with none on the display, refreshes its window metadata.
    void
    refreshGridOrScheduleMetadataRefresh(const std::optional<std::string>& gridDisplayIdentifier,
                                         const std::string& displayIdentifier);
    // The creator the tasks use: the one given at construction, else one with the host's
    // defaults made on first use.
    MissionControlSpaceCreator& missionControlSpaceCreatorForTasks();
    // The OSD and preview refreshes after a Desktop task. Without it only the Space info, the
    // overlays and a visible grid are refreshed.
    std::shared_ptr<MissionControlDesktopRefreshing> missionControlDesktopRefresher;

    // ---------------------------------------------------------------- Fields

    GridModeStore& gridModeStore;
    DisplayPresentationSettingsStore& presentationStore;
    DisplaySpaceOrderStore& spaceOrderStore;
    DirectSlotMetadataStore& directSlotMetadataStore;
    WorkspaceShortcutStore& workspaceShortcutStore;
    PhysicalWindowDragTracker& dragTracker;
    std::shared_ptr<MissionControlSpaceCreator> missionControlSpaceCreator;

    std::optional<LastSpaceReference> currentMenuBarSpaceReference;
    std::optional<LastSpaceReference> lastSpaceReference;

    std::optional<WorkItem> pendingVisibleGridWindowPreviewRefreshWorkItem;
    int64_t visibleGridWindowPreviewRefreshGeneration = 0;
    std::optional<WorkItem> pendingSpaceTopologyStabilizationRefreshWorkItem;
    SpaceTopologyStabilizer spaceTopologyStabilizer;
    // The running add or remove of a Desktop; cancelling it ends the task at its next step.
    std::optional<WorkItem> missionControlSpaceTask;
    std::optional<WorkItem> pendingTrackpadSwipeCommitWorkItem;
    bool trackpadSwipeGestureIsActive = false;
    std::optional<std::string> currentGridOSDDisplayIdentifier;
    std::optional<GridOSDPreviewSession> gridOSDPreviewSession;
    std::optional<FocusedWindowThrowCandidate> pendingDeferredWindowThrowCandidate;
    // The running window throw; cancelling it ends the polling at its next step.
    std::optional<WorkItem> focusedWindowThrowTask;
    SpaceSwitchVerificationGenerationTracker spaceSwitchVerificationGenerations;
    bool tessarinCoreInitialized = false;

    static const Logger& spaceSwitchLogger();
    static const Logger& windowThrowLogger();

    // ---------------------------------------------------------------- Application shell
    // (start-up, activation, resign and stop; the five system observers; the launch OSD; the
    // main menu, the preferences and the software-update holder)

    using LaunchOptions = tessarin::LaunchOptions;

    // The full start-up, or with the sample grid requested only the main menu and the grid;
    // both follow the host's program activation from here on.
    void applicationDidFinishLaunching();
    void applicationDidBecomeActive();
    // Ends a shortcut recording in progress.
    void applicationDidResignActive();
    // Releases hot keys, taps and the bridge, then the observers and every pending piece of
    // work; nothing runs afterwards.
    void applicationWillTerminate();
    // Calls `tessarin_init` once trusted for Accessibility; a failure is printed and retried
    // at the next activation.
    void initializeTessarinCoreIfNeeded();
    // The host's program activation (the windowing system's, System Settings coming forward,
    // a window of the program brought forward) reaches the two callbacks on a later turn.
    void observeProgramActivation();
    void stopObservingProgramActivation();

    // Each replaces the observer its field holds; the work of a notification runs on a later
    // turn of the main queue.
    void observeSpaceChanges();
    void observeAppActivation();
    void observeDefaultsChanges();
    void observeScreenParameters();
    void observeWakeNotifications();
    void stopObservingSystemNotifications();
    void handleActiveSpaceChange();
    void handleApplicationActivation(const std::optional<RunningApplication>& application);
    void handleDefaultsChange();
    void handleScreenParametersChange();
    void handleWake();
    // Schedules every visible Space's preview (or only the metadata, when the plan has no
    // previews), then re-arms the periodic refresh.
    void rescheduleWindowPreviews(WindowPreviewRefreshReason reason, double initialDelay,
                                  double spreadDuration);

    // Shows the sample grid or the Space picker after the launch delay, then the snapshot.
    void scheduleLaunchOSDPreviewIfRequested();
    void scheduleLaunchOSDSnapshotIfRequested();

    void installMainMenu();
    // The "openPreferences:" action: brings the preferences window forward.
    void openPreferences() override;
    // Made on first use and kept; none when the program has no preferences window.
    PreferencesWindowPresenting* preferencesWindowController();

    LaunchOptions launchOptions;
    OSDAppFilter appFilter;
    std::optional<MainMenu> mainMenu;
    std::optional<ProgramActivation::Token> programActivationObserver;
    SoftwareUpdateController softwareUpdateController;
    std::optional<WorkspaceNotificationCenter::Token> spaceChangeObserver;
    std::optional<WorkspaceNotificationCenter::Token> appActivationObserver;
    std::optional<WorkspaceNotificationCenter::Token> defaultsObserver;
    // A handling of changed defaults waits on the main queue: later changes join it.
    bool defaultsChangeQueued = false;
    std::optional<WorkspaceNotificationCenter::Token> screenParametersObserver;
    std::optional<WorkspaceNotificationCenter::Token> wakeObserver;
    // The launch OSD's pending show and snapshot.
    std::optional<WorkItem> pendingLaunchOSDWorkItem;
    // Told whether the launch snapshot was written, after its line was printed.
    std::function<void(bool written)> launchSnapshotFinished;

    // Health check: the step of start-up that asks the health window what to show and shows
    // it (nothing, the setup wizard or the all-set page); the keyboard step's state (never
    // complete; whether the Mission Control shortcut preset is in use, applying it once when
    // the system's shortcuts allow); that state for the health window, holding the delegate
    // weakly (complete once the delegate is gone).
    void presentHealthCheckAtLaunch();
    TessarinSpacePracticeState currentSpacePracticeState();
    std::function<TessarinSpacePracticeState()> spacePracticeStateProvider() const;
    // ---------------------------------------------------------------- OSD presentation
    // (the grid after a switch, its model, its interaction context and its dismissal; the
    // delegate is its own presentation control unless a test gives another)

    bool showOSD(uint32_t targetIndex, std::optional<uint32_t> spaceCount,
                 std::optional<uint32_t> sourceIndex, std::optional<TessarinDirection> direction,
                 const std::optional<std::string>& displayIdentifier,
                 const OSDDismissalBehavior& dismissalBehavior,
                 GridOSDInteractionMode interactionMode,
                 const OSDPresentationMetricsTraceRef& metricsTrace) override;
    // The grid of a display's Spaces with `activeIndex` as the active cell; none when the
    // display's Spaces cannot be resolved or the index is outside the layout.
    std::optional<OSDGridModel>
    makeGridOSDModel(int activeIndex, const std::optional<std::string>& displayIdentifier,
                     const std::optional<std::string>& settingsDisplayIdentifier,
                     const std::optional<std::string>& screenshotDisplayIdentifier,
                     const std::optional<DisplaySpaceOrderSnapshot>& displaySnapshot,
                     std::optional<bool> screenshotsEnabled) override;
    bool shouldCaptureGridSpaceScreenshots(const std::optional<std::string>& displayIdentifier,
                                           bool visibleGridOSDCanCapture,
                                           std::optional<bool> osdEnabled) override;
    // The grid of a display as it is now, its active Space the active cell.
    std::optional<OSDGridModel>
    makeCurrentGridOSDModel(const std::optional<std::string>& displayIdentifier);
    // Direct-slot names and obscure flags by visual index 0 to 9; empty without a display.
    std::map<int, std::string> directSlotCustomNames(const std::optional<std::string>& display);
    std::set<int> obscuredVisualIndices(const std::optional<std::string>& display);
    // The Spaces of real slots 0 to 9 whose direct slot is obscure; their previews stay hidden.
    std::vector<SpaceID> obscuredVisualSpaceIDs(const DisplaySpaceOrderSnapshot& snapshot);
    // The callbacks of every grid the delegate shows; they hold the delegate weakly.
    OSDDismissalCallbacks
    gridOSDDismissalCallbacks(const std::optional<std::string>& displayIdentifier,
                              bool hidesImmediatelyBeforeDismissalStarted);
    void handleGridOSDHidden(const std::optional<std::string>& displayIdentifier);
    // What a preview session's grid lets the user do, by the session's mode; none for a
    // deferred preview that does not wait for released modifiers.
    std::optional<OSDGridMouseInteractionContext>
    makePreviewInteractionContext(const GridOSDPreviewSession& session, const OSDGridModel& model,
                                  const DisplayPresentationSettingsSnapshot& presentationSettings,
                                  const OSDDismissalBehavior& dismissalBehavior,
                                  bool allowsKeyboardSelection);

    // ---------------------------------------------------------------- OSD selection, picker,
    // grid refresh and editing (what a shown grid does, and how it follows the live Spaces)

    // A chosen cell or a key move in a shown grid. Indexes are the grid's visual indexes; a
    // negative one, or one past 32 bits, is refused with a beep like any index off the layout.
    void performOSDPickerSelection(int64_t visualIndex);
    // A click in a picker grid on another display, which does not own the preview session.
    void performOSDPickerMouseSelection(int64_t visualIndex,
                                        const std::optional<std::string>& displayIdentifier);
    // A click in a deferred hotkey preview: drops the deferred switch and switches at once.
    void performMouseSelection(int64_t visualIndex, const OSDDismissalBehavior& dismissalBehavior);
    void performTrackpadAfterTapSelection(int64_t visualIndex);
    // True when the selection moved and the grid was redrawn.
    bool performOSDPickerKeyboardMove(OSDGridKeyboardSelectionDirection direction);
    bool performTrackpadAfterTapKeyboardMove(OSDGridKeyboardSelectionDirection direction);

    // The Space picker: the grid of the pointer's display, or of every screen, opened on demand.
    void
    showOSDSpacePickerOnCursorDisplay(const OSDPresentationMetricsTraceRef& metricsTrace) override;
    void
    showOSDSpacePickerOnAllScreens(const OSDPresentationMetricsTraceRef& metricsTrace) override;
    struct OSDSpacePickerDisplay {
        GridOSDPreviewSession session;
        DisplayPresentationSettingsSnapshot presentationSettings;
    };
    // One display resolved into a picker session; none when it cannot be resolved.
    std::optional<OSDSpacePickerDisplay>
    makeOSDSpacePickerSession(const std::optional<std::string>& displayIdentifier,
                              const OSDPresentationMetricsTraceRef& metricsTrace);
    // The primary display first, then every screen's display once.
    std::vector<std::optional<std::string>>
    osdPickerDisplayIdentifiers(const std::optional<std::string>& primaryDisplayIdentifier);
    // Shows a preview session's grid or redraws it in place; false when it stopped early (the
    // session is then closed).
    bool showOrRefreshPreviewSession(const GridOSDPreviewSession& session,
                                     const DisplayPresentationSettingsSnapshot& settings,
                                     const OSDDismissalBehavior& dismissalBehavior,
                                     std::optional<uint32_t> sourceIndex,
                                     std::optional<TessarinDirection> direction,
                                     bool replaceInteractionContext,
                                     const OSDPresentationMetricsTraceRef& metricsTrace) override;
    // The sample grid, on the screen the OSD window chooses; it switches nothing.
    bool showOSDPreviewFixture() override;

    // Visible grids follow the live state in place. None of them beeps; each ends silently
    // when anything is missing.
    void refreshVisibleGridOSDIfNeeded(const std::optional<OSDGridSpaceContext>& context) override;
    void
    refreshVisibleGridOSDIfVisible(const std::optional<std::string>& displayIdentifier) override;
    void refreshVisibleGridOSDOverlays(const VisibleGridOSDOverlayRefreshScope& scope);
    bool refreshVisiblePreviewSession(const GridOSDPreviewSession& session,
                                      const std::optional<std::string>& visibleDisplayIdentifier);
    // The removed Desktop's cell shown as a placeholder until the grid is rebuilt.
    bool refreshVisibleGridOSDWithTransientPlaceholder(
        int64_t index, const std::optional<std::string>& displayIdentifier,
        const std::optional<DisplaySpaceOrderSnapshot>& transientDisplaySnapshot);
    // The grid shown again with a Desktop more; a picker grid through a new picker session.
    bool refreshVisibleGridOSDAllowingSpaceCountChange(
        const std::optional<std::string>& displayIdentifier,
        const std::optional<OSDGridMouseInteractionContext>& interactionContext);
    void
    scheduleVisibleGridScreenCaptureIfNeeded(const std::optional<std::string>& displayIdentifier);

    // Editing Spaces from a grid: reorder, remove, add, Mission Control.
    std::optional<DisplaySpaceOrderSnapshot>
    persistVisualReorder(int64_t from, int64_t to,
                         const std::optional<std::string>& displayIdentifier,
                         OSDGridRearrangementBehavior rearrangementBehavior);
    void enablePlaceholders(const std::string& displayIdentifier);
    void performOSDPickerReorder(int64_t from, int64_t to,
                                 const std::optional<std::string>& displayIdentifier,
                                 OSDGridRearrangementBehavior rearrangementBehavior);
    void performOSDRemoveSpace(int64_t index, const std::optional<std::string>& displayIdentifier);
    void performOSDAddSpaceAtPlaceholder(int64_t index,
                                         const std::optional<std::string>& displayIdentifier);
    void performOSDAddSpaceAtTail(const std::optional<std::string>& displayIdentifier);
    void performOSDOpenMissionControl();

    // ---------------------------------------------------------------- Menu bar and overlays
    // (the menu bar's Space state, the persistent overlays' feed, the periodic screenshots)

    // Made on first use and kept for the run; the menu bar controller's delegate is this.
    MenuBarController& menuBarController();
    PersistentGridOverlayController& persistentGridOverlayController();
    PersistentTitleOverlayController& persistentTitleOverlayController();

    // Updates the Space references and pushes the menu-bar display's grid settings and Space
    // state into the menu bar.
    void refreshSpaceInfo() override;
    // Refreshes the grid and title overlays of every display.
    void refreshPersistentGridOverlay() override;
    void applyHotkey(const HotkeyCombination& combination, HotkeyIdentifier identifier) override;
    void setGridModeEnabled(bool enabled) override;
    // Re-arms the timer of periodic grid screenshots or preview refreshes, or leaves none.
    void restartPeriodicGridScreenshotRefresh() override;
    // A display's grid picture model from its visual layout (placeholders included), or from
    // the bare Space info when the layout cannot be resolved.
    std::optional<MenuBarGridIconModel>
    makeMenuBarGridModel(const TessarinSpaceInfo& spaceInfo,
                         const std::optional<std::string>& displayIdentifier,
                         std::optional<uint32_t> columnCount);
    // Which moves have a target under the grid rules of the settings display (by default the
    // display's settings scope).
    MenuBarDirectionalAvailability resolveMenuBarDirectionalAvailability(
        const TessarinSpaceInfo& spaceInfo, const std::optional<std::string>& displayIdentifier,
        const std::optional<std::string>& settingsDisplayIdentifier);
    // Records the topology baseline from the bridge's Space display lists.
    void updateStableSpaceDisplayListCountIfNeeded(const std::string& reason);
    // Start-up: primes the preview schedule, refreshes the window metadata and previews when
    // previews are due, and arms the periodic timer.
    void primeWindowSpaceMetadataAndPreviews();

    // What the status-item menu asks of the delegate (the rest it shares with the engine).
    bool showsOSDSpacePickerOnAllScreens() const override;
    void showOSDSpacePickerOnAllScreens() override;
    void showOSDSpacePickerOnCursorDisplay() override;
    void openHealthCheck() override;

    // The periodic screenshot or preview timer.
    std::optional<WorkItem> periodicGridScreenshotRefreshTimer;
    // The health window, made on first use and kept for the run; "Open Settings" in it reaches
    // the preferences window through a function that holds the delegate weakly.
    HealthWindowPresenting& healthCheckWindowController();

    // ---------------------------------------------------------------- Window previews
    // (the delegate is its own cell-content caches: window metadata, icons and titles per Space,
    // screenshots and composed previews, and it decides when each is refreshed)

    // One screen that shows previews, and the display whose Spaces it shows (the shared list's
    // display while displays share their Spaces).
    struct WindowPreviewDisplayItem {
        std::string previewDisplayIdentifier;
        std::string spaceDisplayIdentifier;
        Screen screen;
    };
    // What may be refreshed for a display.
    struct WindowSpaceRefreshPlan {
        bool refreshesMetadata = false;
        bool refreshesPreviews = false;
    };

    bool isWindowlessSpace(const std::string& displayIdentifier, SpaceID spaceID) override;
    void refreshWindowMetadata(const DisplaySpaceOrderSnapshot& snapshot) override;
    void remapSpaceDisplayCaches(const std::string& spaceDisplayIdentifier,
                                 const std::map<SpaceID, SpaceID>& replacements) override;
    std::vector<std::string>
    previewDisplayIdentifiers(const std::string& spaceDisplayIdentifier) override;
    void remapPreviewDisplayCaches(const std::string& previewDisplayIdentifier,
                                   const std::map<SpaceID, SpaceID>& replacements) override;
    void clearScheduledPreviewRefreshes() override;
    void cancelPendingGridScreenshotCapture() override;
    void scheduleCurrentSpaceScreenshotCapture() override;
    void scheduleCurrentSpaceScreenshotCapture(
        const std::optional<OSDGridSpaceContext>& context) override;
    bool refreshPlanIncludesPreviews() override;
    void refreshWindowSpaceMetadataOnly() override;
    bool scheduleAllVisibleSpacePreviewRefreshes() override;
    bool scheduleAllVisibleSpacePreviewRefreshes(WindowPreviewRefreshReason reason,
                                                 double initialDelay,
                                                 double spreadDuration) override;
    std::optional<OSDGridSpaceContext> currentGridSpaceContext() override;
    std::map<int64_t, OSDGridSpaceTitleEntry>
    mappedTitleEntries(const std::string& displayIdentifier,
                       const std::vector<SpaceID>& orderedSpaceIDs) override;
    std::map<int64_t, OSDGridAppIconEntry>
    mappedIconEntries(const std::string& displayIdentifier,
                      const std::vector<SpaceID>& orderedSpaceIDs) override;
    std::optional<OSDGridAppIconEntry> finderFallbackIconEntry() override;
    std::map<int64_t, OSDGridScreenshotEntry>
    screenshotMap(const std::string& displayIdentifier,
                  const std::vector<SpaceID>& orderedSpaceIDs) override;
    std::map<int64_t, OSDGridScreenshotEntry>
    previewMap(const std::string& previewDisplayIdentifier,
               const std::vector<SpaceID>& orderedSpaceIDs) override;
    std::map<int64_t, std::vector<OSDGridAppIconEntry>>
    iconStackMap(const std::string& displayIdentifier,
                 const std::vector<SpaceID>& orderedSpaceIDs) override;
    void cancelPendingWindowSpaceMetadataRefresh() override;
    std::function<void()>
    windowPreviewsAfterFirstRenderHandler(const std::optional<std::string>& displayIdentifier,
                                          const DisplayPresentationSettingsSnapshot& settings,
                                          const OSDPresentationMetricsTraceRef& metricsTrace,
                                          int64_t generation) override;
    // The 0.25 s debounce: the display's previews when planned, else its metadata only.
    void scheduleWindowSpaceMetadataAndPreviewRefresh(
        const std::optional<std::string>& displayIdentifier) override;
    void scheduleVisibleGridScreenCapture() override;
    void
    scheduleVisibleGridWindowPreviewRefresh(const std::optional<std::string>& placementDisplay,
                                            const DisplayPresentationSettingsSnapshot& settings,
                                            const std::string& phase, int64_t generation) override;
    std::optional<OSDGridSpaceContext> recordFrontmostApplicationForCurrentSpace() override;
    std::optional<OSDGridSpaceContext>
    recordActivatedApplication(const std::optional<RunningApplication>& application) override;
    void pruneFilteredEntries() override;
    void recordNewSpacePreviews(const std::string& spaceDisplayIdentifier,
                                SpaceID spaceID) override;
    void scheduleWindowPreviewRefreshAfterSpaceChange(
        const std::optional<OSDGridSpaceContext>& currentContext,
        const std::optional<std::pair<std::string, SpaceID>>& previousSpace, double now) override;
    std::optional<std::vector<WindowPreviewRefreshRequest>>
    primeWindowPreviewsIfNeeded(OSDGridScreenshotTiming timing, TimeInterval now,
                                const std::function<double()>& randomFraction) override;
    void
    refreshWindowSpaceMetadataAndPreviews(const std::vector<WindowPreviewRefreshRequest>& requests,
                                          OSDGridScreenshotTiming timing, bool allowsScreenCaptures,
                                          bool refreshesMetadataWhenRequestsAreEmpty) override;
    std::optional<TimeInterval> nextPreviewRefreshDeadline() override;
    void performPeriodicGridScreenshotRefresh() override;

    // Which screens preview which Spaces. Items follow the host's screen order; screens
    // without a display number are left out.
    std::vector<WindowPreviewDisplayItem> windowPreviewDisplayItems();
    // The items of a display (as screen or as owner of the Spaces); all for none or blanks.
    std::vector<WindowPreviewDisplayItem>
    windowPreviewDisplayItems(const std::optional<std::string>& matching);
    static PreviewDisplaysBySpaceDisplay previewDisplayIdentifiersBySpaceDisplayIdentifier(
        const std::vector<WindowPreviewDisplayItem>& items);
    // One layout per Space display of the items; displays that do not resolve are left out.
    std::map<std::string, DisplaySpaceOrderSnapshot>
    resolveWindowPreviewSnapshots(const std::vector<WindowPreviewDisplayItem>& items);
    WindowSpaceRefreshPlan windowSpaceRefreshPlan(const std::optional<std::string>& display);
    // Whether previews may be captured for a screen; in screen capture mode only when asked.
    bool shouldPrimeWindowSpacePreviews(const std::string& display, bool allowScreenModePreviews);

    // When previews are refreshed. Each returns quietly when something is missing.
    // Schedules the Spaces of one screen's display (none: the pointer's) due now; false when
    // previews are not planned there or its layout does not resolve.
    bool scheduleWindowPreviewRefreshForDisplay(const std::optional<std::string>& display,
                                                WindowPreviewRefreshReason reason,
                                                TimeInterval now);
    void refreshWindowPreviewsAfterVisibleGridPresentation(
        const std::optional<std::string>& display,
        const DisplayPresentationSettingsSnapshot& presentationSettings);
    // The periodic timer in window capture mode: runs what is due, else re-arms the timer.
    void performScheduledWindowPreviewRefresh(TimeInterval now);
    void refreshWindowSpaceMetadataOnly(const std::optional<std::string>& display);
    // The refresh task: the metadata of every Space display of the items (all screens when
    // none) on the executor, then the capture requests; a newer call supersedes it.
    void refreshWindowSpaceMetadataAndPreviews(
        const std::vector<WindowPreviewRefreshRequest>& requests, OSDGridScreenshotTiming timing,
        bool allowScreenModePreviews,
        const std::optional<std::vector<WindowPreviewDisplayItem>>& items,
        bool refreshesMetadataWhenRequestsAreEmpty);
    void recordWindowMetadataSources(const OSDGridWindowSpaceController::Sources& sources,
                                     const DisplaySpaceOrderSnapshot& snapshot);

    // Screenshots of the current Space: 0.5 s after a switch when the Space already shows a
    // picture or an icon, else 0.01 s; a newer schedule replaces an older one.
    double resolvedGridScreenshotCaptureDelay(const std::optional<OSDGridSpaceContext>& context);
    void scheduleCurrentSpaceScreenshotCapture(double delay, bool visibleGridOSDCanCapture);
    void requestCurrentSpaceScreenshotCapture(bool visibleGridOSDCanCapture);

    const OSDGridWindowPreviewRefreshScheduler& windowPreviewRefreshSchedule() const {
        return windowPreviewRefreshScheduler;
    }
    // Stored captures arrive in bursts, one per Space: the grids shown are refreshed on the next
    // turn for all that arrived meanwhile, once per display, with one read of the layout.
    void refreshVisibleGridAfterCapture(const OSDGridSpaceContext& context);
    // Uniform fractions in 0...1 for the random dates of preview refreshes; tests fix them.
    std::function<double()> previewRandomFraction;

private:
    // What a switch request resolved to before anything was posted.
    struct SwitchResolution {
        std::optional<std::string> placementDisplay;
        std::optional<std::string> spaceDisplay;
        std::optional<std::string> settingsDisplay;
        std::optional<TessarinSpaceInfo> info;
        std::optional<ResolvedDisplaySpaceOrderSnapshot> resolved;
        // How long each step took, in seconds, for the metrics.
        double placementSeconds = 0;
        double topologySeconds = 0;
        double infoSeconds = 0;
        double snapshotSeconds = 0;
    };
    SwitchResolution resolveSwitchRequest(const std::optional<std::string>& displayIdentifier);
    bool displaysHaveSeparateSpaces() const;
    // For its lifetime displaysHaveSeparateSpaces() keeps the answer of one read, so a pass over
    // every hotkey or display reads the whole Space layout once, not once per item. An inner
    // pin keeps the outer answer.
    class SeparateSpacesPin {
    public:
        explicit SeparateSpacesPin(AppDelegate& delegate);
        ~SeparateSpacesPin();
        SeparateSpacesPin(const SeparateSpacesPin&) = delete;
        SeparateSpacesPin& operator=(const SeparateSpacesPin&) = delete;

    private:
        AppDelegate& delegate_;
        std::optional<bool> previous_;
    };
    std::optional<std::string> cursorDisplayIdentifier() const;

    // Posts and verifies one switch; returns whether it was posted.
    bool postAndVerifySwitch(uint32_t systemIndex, std::optional<SpaceID> targetSpaceID,
                             const std::optional<std::string>& spaceDisplay,
                             const std::optional<DisplaySpaceOrderSnapshot>& snapshot,
                             SpaceSwitchVerificationContext context);
    void finishSpaceSwitchVerification(SpaceID targetSpaceID,
                                       const SpaceSwitchVerificationAttempt& attempt,
                                       std::optional<TessarinSpaceInfo> liveBefore,
                                       uint32_t postVariant,
                                       SpaceSwitchVerificationContext context);
    OSDDismissalBehavior
    switchDismissalBehavior(const std::optional<HotkeyCombination>& trigger) const;
    bool shouldDeferSwitch(const std::optional<HotkeyCombination>& trigger,
                           const std::optional<std::string>& settingsDisplay) const;

    // Deferred previews.
    std::optional<GridOSDPreviewSession>
    makeDeferredPreviewSession(GridOSDPreviewSessionMode mode, const SwitchResolution& resolution);
    bool presentDeferredDirectionalPreview(TessarinDirection direction,
                                           GridOSDPreviewSessionMode mode,
                                           const SwitchResolution& resolution,
                                           const OSDPresentationMetricsTraceRef& metricsTrace);
    bool presentDeferredDirectJump(uint32_t index, GridOSDPreviewSessionMode mode,
                                   const SwitchResolution& resolution,
                                   const OSDPresentationMetricsTraceRef& metricsTrace);
    bool isTrackpadPreviewMode(const GridOSDPreviewSessionMode& mode) const;
    void commitPreviewSession(const GridOSDPreviewSession& session);

    // Tells the user why a Desktop task failed (the health window when Accessibility permission
    // is missing, else an alert titled `title`); false when the task succeeded.
    template <class Result>
    bool reportMissionControlFailure(Result result, Result success, const char* title);

    // Hotkeys.
    std::optional<HotkeyOverrideRegistration> registerHotkey(const HotkeyAction& action);
    void registerWorkspaceShortcuts(std::vector<HotkeyOverrideRegistration>& overrides);
    HotkeyHandler hotkeyHandler(const HotkeyAction& action, const HotkeyCombination& combination);
    HotkeyHandler workspaceHotkeyHandler(const WorkspaceShortcut& workspace,
                                         const HotkeyCombination& combination);
    void handleCursorDisplayHotkey(HotkeyIdentifier identifier,
                                   const HotkeyCombination& combination,
                                   const OSDPresentationMetricsTraceRef& metricsTrace);
    // The moves and direct jumps, on a display or (none) the display under the pointer.
    void performHotkeySwitch(HotkeyIdentifier identifier,
                             const std::optional<std::string>& displayIdentifier,
                             const HotkeyCombination& combination,
                             const OSDPresentationMetricsTraceRef& metricsTrace);
    // What follows a change of the grid mode, the presentation settings or the grid layout.
    void applyGridModeChange(bool enabled);
    void refreshAfterPresentationChange();
    void refreshAfterLayoutChange();
    void applySettingsChangePreviewPlan();

    // Without a trace (always so with metrics off) a mark builds nothing and allocates nothing.
    template <class MakeFields>
    void mark(const char* step, const OSDPresentationMetricsTraceRef& trace, MakeFields&& fields) {
        if (trace) {
            metrics_->mark(step, trace, std::forward<MakeFields>(fields));
        }
    }
    void mark(const char* step, const OSDPresentationMetricsTraceRef& trace) {
        if (trace) {
            metrics_->mark(step, trace);
        }
    }

    std::shared_ptr<OSDWindowControlling> osdWindow_;
    std::shared_ptr<OSDPresentationControlling> presentation_;
    std::shared_ptr<HealthWindowPresenting> healthWindow_;
    std::shared_ptr<ShellRefreshing> shell_;
    std::shared_ptr<HotkeyReregistering> hotkeys_;
    std::shared_ptr<WindowPreviewCaching> windowPreviews_;
    std::shared_ptr<OSDPresentationMetricsRecording> metrics_;
    std::shared_ptr<TrackpadInputControlling> trackpad_;
    std::function<bool()> bridgeInitializer_;
    // While a hotkey is handled or a pin holds, the one answer of its request: the layout
    // cannot change meanwhile, and each read is a round trip to the window server.
    std::optional<bool> separateSpacesDuringRequest_;

    // Scheduled work holds a weak reference to this, so it does nothing once the delegate is
    // gone.
    std::shared_ptr<AppDelegate*> self_;

    // OSD presentation.
    // The direct slots 1 to 10 of a display by visual index; empty without a display.
    std::vector<DirectSlotMetadata>
    directSlotMetadataByIndex(const std::optional<std::string>& display);
    std::optional<std::string> cellImageSettingsDisplay(const std::optional<std::string>& display,
                                                        const DisplaySpaceOrderSnapshot& snapshot);
    std::map<int64_t, OSDGridScreenshotEntry>
    resolveGridScreenshotMap(const DisplaySpaceOrderSnapshot& snapshot,
                             const std::optional<std::string>& displayIdentifier,
                             bool screenshotsEnabled);
    std::map<int64_t, OSDGridAppIconEntry>
    resolveGridAppIconMap(int cellCount, const DisplaySpaceOrderSnapshot& snapshot,
                          const std::map<int64_t, OSDGridSpaceTitleEntry>& cachedTitleEntries);
    // The system's titles of the display's Spaces by system index.
    std::vector<std::optional<std::string>> systemSpaceTitles(const std::string& display) const;
    std::optional<OSDGridMouseInteractionContext>
    makeDeferredInteractionContext(const OSDGridModel& model,
                                   const std::optional<std::string>& display,
                                   const OSDDismissalBehavior& dismissalBehavior,
                                   const DisplayPresentationSettingsSnapshot& settings);
    void cancelPreviewAndHideGrid(bool cancelsDeferredSwitch);
    // OSD selection, picker, grid refresh and editing
    std::optional<std::string> settingsDisplayFor(const std::optional<std::string>& display) const;
    // A display's Space info read with switch predictions, and its layout when that resolves.
    struct PredictedDisplayState {
        std::optional<TessarinSpaceInfo> info;
        std::optional<DisplaySpaceOrderSnapshot> snapshot;
    };
    PredictedDisplayState predictedDisplayState(const std::optional<std::string>& spaceDisplay);
    // Posts the switch to a chosen cell and refreshes the shell; false (after a beep) when
    // nothing was posted.
    bool switchToChosenCell(uint32_t systemIndex, const std::optional<std::string>& spaceDisplay,
                            const std::optional<DisplaySpaceOrderSnapshot>& snapshot,
                            std::optional<SpaceID> targetSpaceID);
    void closeOSDGrid();
    // Moves the open session of `kind` to a cell; false (after a beep) when there is none, the
    // index is off the grid or the session refuses it.
    bool jumpPreviewSession(GridOSDPreviewSessionMode::Kind kind, int64_t visualIndex);
    bool performPreviewKeyboardMove(OSDGridKeyboardSelectionDirection direction,
                                    GridOSDPreviewSessionMode::Kind kind);
    // Redraws the grid of the stored session (or shows it when none is visible there) with a
    // `manual` dismissal.
    void presentStoredPreviewSession(const OSDGridModel& model,
                                     const DisplayPresentationSettingsSnapshot& settings,
                                     const DisplayOSDSettings& osdSettings,
                                     bool hidesImmediatelyBeforeDismissalStarted,
                                     bool schedulesPreviewRefresh);
    void
    scheduleDelayedVisibleGridPreviewRefresh(const std::optional<std::string>& placementDisplay,
                                             const DisplayPresentationSettingsSnapshot& settings);
    std::optional<OSDSpacePickerDisplay>
    resolvePickerDisplay(const std::optional<std::string>& displayIdentifier,
                         const OSDPresentationMetricsTraceRef& metricsTrace, bool primary);
    void showAdditionalPickerGrid(const OSDSpacePickerDisplay& picker,
                                  const OSDPresentationMetricsTraceRef& metricsTrace);
    bool beginPickerRequest(const OSDPresentationMetricsTraceRef& metricsTrace,
                            bool showAllScreens);
    // Redraws a display's grid with a new model, its context following the model.
    void refreshGridKeepingContext(const OSDGridModel& model,
                                   const std::optional<std::string>& displayIdentifier);
    // The target of an edit through Mission Control; none after the access check failed, a beep
    // (a task runs) or an alert titled `alertTitle` (the display cannot be resolved).
    std::optional<MissionControlSpaceCreationTarget>
    missionControlEditTarget(const std::optional<std::string>& displayIdentifier,
                             const char* alertTitle);
    void refreshAfterVisualReorder(const DisplaySpaceOrderSnapshot& layout);
    // Application shell.
    void observe(std::optional<WorkspaceNotificationCenter::Token>& field, const char* name,
                 void (AppDelegate::*handler)(const WorkspaceNotification&));
    void onActiveSpaceChange(const WorkspaceNotification&) { handleActiveSpaceChange(); }
    void onApplicationActivation(const WorkspaceNotification& notification) {
        handleApplicationActivation(notification.application);
    }
    void onScreenParametersChange(const WorkspaceNotification&) { handleScreenParametersChange(); }
    void onWake(const WorkspaceNotification&) { handleWake(); }
    std::function<std::shared_ptr<PreferencesWindowPresenting>(SoftwareUpdateChecking&)>
        makePreferencesWindow_;
    std::shared_ptr<PreferencesWindowPresenting> preferencesWindow_;
    // The main menu's key equivalents, acting while a window of the program has the keys.
    std::unique_ptr<MainMenuKeyEquivalents> mainMenuKeyEquivalents_;
    std::shared_ptr<ShortcutRecordingCancelling> shortcutRecorder_;
    std::function<std::optional<std::string>(const std::filesystem::path&)> launchSnapshotWriter_;

    // Menu bar and overlays.
    // The settings scope of a display: itself while displays have separate Spaces, else none.
    std::optional<std::string>
    menuBarSettingsScope(const std::optional<std::string>& displayIdentifier);
    static std::optional<std::string> activeMenuBarDisplayIdentifier();
    std::shared_ptr<MenuBarController> menuBarController_;
    std::shared_ptr<PersistentGridOverlayController> persistentGridOverlayController_;
    std::shared_ptr<PersistentTitleOverlayController> persistentTitleOverlayController_;

    // ---------------------------------------------------------------- Window previews

    struct WindowMetadataRefreshRun;
    using ReasonsBySpace = std::map<SpaceID, WindowPreviewRefreshReason>;
    double nextPreviewRandomFraction();
    void makeWindowPreviewCaches(std::shared_ptr<Executor> executor);
    void runVisibleGridWindowPreviewRefresh(const std::optional<std::string>& display,
                                            const DisplayPresentationSettingsSnapshot& settings,
                                            const OSDPresentationMetricsTraceRef& metricsTrace,
                                            const std::string& phase, int64_t generation);
    void scheduleWindowPreviewsForSpace(const std::string& spaceDisplayIdentifier, SpaceID spaceID,
                                        WindowPreviewRefreshReason reason, TimeInterval date);
    void finishWindowMetadataPhase(const std::shared_ptr<WindowMetadataRefreshRun>& run);
    // The preview phase: one capture request per screen, unserved requests booked.
    void requestWindowPreviewPhase(const WindowMetadataRefreshRun& run);
    // Requests that start no capture wait for their next periodic date; the timer is re-armed.
    void bookUnservedPreviewRequests(const std::vector<WindowPreviewRefreshRequest>& unserved,
                                     OSDGridScreenshotTiming timing);
    std::vector<OSDGridSpaceContext>
    requestWindowPreviewCaptures(const DisplaySpaceOrderSnapshot& snapshot,
                                 const std::string& previewDisplayIdentifier,
                                 const std::set<SpaceID>& targets, const ReasonsBySpace& reasons,
                                 std::optional<OSDGridScreenshotTiming> timing, bool force);
    // A new picture of a cell the grid of its display has drawn before is drawn for that cell
    // on the preview executor, so the grid's next drawing only places it. The cell is the one
    // that shows the context's Space in the current layout of the display owning it.
    void prepareStoredPreviewCell(const OSDGridSpaceContext& context,
                                  const std::string& spaceDisplayIdentifier);
    void prepareStoredScreenshotCell(const OSDGridSpaceContext& context);
    void prepareCellPicture(const OSDGridSpaceContext& context,
                            const std::string& spaceDisplayIdentifier, const QImage& picture);
    std::optional<int64_t> gridCellOfSpace(const std::string& spaceDisplayIdentifier,
                                           SpaceID spaceID);
    std::map<std::string, OSDGridSpaceContext> capturesAwaitingGridRefresh_;

    // Declared first of the caches: the capture handlers hold it.
    std::unique_ptr<BackgroundWork> previewWork;
    std::unique_ptr<OSDGridWindowSpaceController> gridWindowSpaceController;
    std::unique_ptr<OSDGridAppIconController> gridAppIconController;
    std::unique_ptr<OSDGridScreenshotController> gridScreenshotController;
    OSDGridWindowPreviewRefreshScheduler windowPreviewRefreshScheduler;
    std::optional<WorkItem> pendingGridScreenshotCaptureWorkItem;
    std::optional<WorkItem> pendingWindowSpaceMetadataRefreshWorkItem;
    std::optional<OSDGridRefreshTask> pendingWindowSpaceMetadataRefreshTask;
    bool pendingWindowSpaceMetadataRefreshIncludesPreviewRequests = false;
    int64_t windowSpaceMetadataRefreshGeneration = 0;

    friend class AppDelegateTestAccess;
};

} // namespace tessarin
