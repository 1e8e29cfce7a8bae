// Start-up, activation, resign and stop: what the program does, in which order, when it has
// finished launching, becomes active, resigns active and is about to terminate.

#include "Core/AppDelegate/AppDelegate.h"
#include "Hotkeys/HotKeyManager.h"
#include "Hotkeys/PhysicalWindowDragTracker.h"
#include "Model/Seams/MissionControlShortcutOverrideControlling.h"
#include "Model/Settings/GeneralSettingsNormalization.h"
#include "Model/Settings/MenuBarIconSetting.h"
#include "Platform/Host.h"
#include "Platform/Program/ProgramActivation.h"
#include "Platform/SystemServices.h"
#include "Support/MainQueue.h"
#include "UI/MenuBar/MenuBarController.h"
#include "UI/Overlays/PersistentGridOverlayController.h"
#include "UI/Overlays/PersistentTitleOverlayController.h"
#include "UI/Preferences/Controls/ShortcutRecorderControl.h"

#include <cstdio>

namespace tessarin {

void AppDelegate::applicationDidFinishLaunching() {
    observeProgramActivation();
    if (launchOptions.osdPreviewFixture) {
        // The sample grid only: no status item, hotkeys, observers or health check.
        installMainMenu();
        scheduleLaunchOSDPreviewIfRequested();
        return;
    }
    GeneralSettingsNormalization::apply(Host::current().defaults());
    initializeTessarinCoreIfNeeded();
    installMainMenu();
    MenuBarController& menuBar = menuBarController();
    menuBar.setup();
    menuBar.setGridModeEnabled(gridModeStore.isEnabled.value());
    menuBar.setMenuBarIconSetting(persisted<MenuBarIconSetting>(Host::current().defaults()));
    bindHotkeys();
    updateTrackpadSwipeEventTap();
    if (!dragTracker.start()) {
        windowThrowLogger().error("physical drag tracker failed to start");
    }
    observeSpaceChanges();
    observeAppActivation();
    observeDefaultsChanges();
    observeScreenParameters();
    observeWakeNotifications();
    shell_->refreshSpaceInfo();
    shell_->refreshPersistentGridOverlay();
    primeWindowSpaceMetadataAndPreviews();
    const std::optional<OSDGridSpaceContext> context =
        windowPreviews_->recordFrontmostApplicationForCurrentSpace();
    windowPreviews_->scheduleCurrentSpaceScreenshotCapture(context);
    shell_->restartPeriodicGridScreenshotRefresh();
    presentHealthCheckAtLaunch();
    scheduleLaunchOSDPreviewIfRequested();
}

void AppDelegate::initializeTessarinCoreIfNeeded() {
    if (tessarinCoreInitialized || !Host::current().system().isProcessTrusted()) {
        return;
    }
    if (bridgeInitializer_()) {
        tessarinCoreInitialized = true;
        return;
    }
    std::printf("Failed to initialize TessarinCore event tap\n");
    std::fflush(stdout);
}

void AppDelegate::observeProgramActivation() {
    stopObservingProgramActivation();
    const std::weak_ptr<AppDelegate*> weakSelf = self_;
    programActivationObserver =
        Host::current().programActivation().addObserver([weakSelf](bool active) {
            MainQueue::main().async([weakSelf, active] {
                if (const auto self = weakSelf.lock()) {
                    active ? (*self)->applicationDidBecomeActive()
                           : (*self)->applicationDidResignActive();
                }
            });
        });
}

void AppDelegate::stopObservingProgramActivation() {
    if (programActivationObserver) {
        Host::current().programActivation().removeObserver(*programActivationObserver);
        programActivationObserver.reset();
    }
}

void AppDelegate::applicationDidBecomeActive() {
    initializeTessarinCoreIfNeeded();
    updateTrackpadSwipeEventTap();
    // Starting a running tracker is the tracker's own concern.
    dragTracker.start();
    shell_->restartPeriodicGridScreenshotRefresh();
}

void AppDelegate::applicationDidResignActive() {
    if (shortcutRecorder_) {
        shortcutRecorder_->cancelActiveRecording();
    } else {
        ShortcutRecorderControl::cancelActiveRecording();
    }
}

void AppDelegate::applicationWillTerminate() {
    applicationDidResignActive();
    HotKeyManager::shared().unregisterAll();
    if (focusedWindowThrowTask) {
        focusedWindowThrowTask->cancel();
    }
    dragTracker.stop();
    missionControlShortcutOverride->stop();
    tessarin_destroy();
    trackpadSwipeEventTap.stop();
    trackpadRawInputCoordinator.stop();
    stopObservingSystemNotifications();
    stopObservingProgramActivation();
    windowPreviews_->cancelPendingGridScreenshotCapture();
    cancelPendingVisibleGridWindowPreviewRefresh();
    windowPreviews_->cancelPendingWindowSpaceMetadataRefresh();
    if (pendingWindowSpaceMetadataRefreshTask) {
        pendingWindowSpaceMetadataRefreshTask->cancel();
    }
    if (pendingSpaceTopologyStabilizationRefreshWorkItem) {
        pendingSpaceTopologyStabilizationRefreshWorkItem->cancel();
        pendingSpaceTopologyStabilizationRefreshWorkItem.reset();
    }
    spaceTopologyStabilizer.reset();
    if (pendingTrackpadSwipeCommitWorkItem) {
        pendingTrackpadSwipeCommitWorkItem->cancel();
    }
    if (periodicGridScreenshotRefreshTimer) {
        periodicGridScreenshotRefreshTimer->cancel();
        periodicGridScreenshotRefreshTimer.reset();
    }
    if (pendingLaunchOSDWorkItem) {
        pendingLaunchOSDWorkItem->cancel();
    }
    cancelPendingDeferredSpaceSwitch(false, false);
    persistentGridOverlayController().hideAll();
    persistentTitleOverlayController().hideAll();
}

} // namespace tessarin
