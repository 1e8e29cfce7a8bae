// The five system observers: the active Space, an activated application, the user defaults,
// the screen configuration and waking from sleep. Each keeps the menu bar, the overlays, a
// visible grid and the preview caches in line with the change.

#include "Core/AppDelegate/AppDelegate.h"
#include "Model/Settings/MenuBarIconSetting.h"
#include "Model/Settings/OSDAppFilterSetting.h"
#include "Model/Spaces/TessarinSpaceDiagnostics.h"
#include "Platform/DisplayServer.h"
#include "Platform/Host.h"
#include "Support/MainQueue.h"
#include "UI/MenuBar/MenuBarController.h"

namespace tessarin {

namespace {

std::string orUnknown(const std::optional<std::string>& text) {
    return text ? *text : std::string("unknown");
}

} // namespace

void AppDelegate::observe(std::optional<WorkspaceNotificationCenter::Token>& field,
                          const char* name,
                          void (AppDelegate::*handler)(const WorkspaceNotification&)) {
    field.reset();
    const std::weak_ptr<AppDelegate*> weakSelf = self_;
    // The work runs on a later turn, never inside the centre's delivery.
    field = Host::current().notifications().addObserver(
        name, [weakSelf, handler](const WorkspaceNotification& notification) {
            MainQueue::main().async([weakSelf, handler, notification] {
                if (auto self = weakSelf.lock()) {
                    ((*self)->*handler)(notification);
                }
            });
        });
}

void AppDelegate::observeSpaceChanges() {
    observe(spaceChangeObserver, WorkspaceNotificationName::activeSpaceDidChange,
            &AppDelegate::onActiveSpaceChange);
}

void AppDelegate::observeAppActivation() {
    observe(appActivationObserver, WorkspaceNotificationName::didActivateApplication,
            &AppDelegate::onApplicationActivation);
}

void AppDelegate::observeDefaultsChanges() {
    defaultsObserver.reset();
    defaultsChangeQueued = false;
    const std::weak_ptr<AppDelegate*> weakSelf = self_;
    // The handling reads every setting it follows anew, so a burst of writes (the start, a reset
    // of a scope) is handled once: handled per write, each one rescheduled every Space's preview.
    defaultsObserver = Host::current().notifications().addObserver(
        WorkspaceNotificationName::userDefaultsDidChange, [weakSelf](const WorkspaceNotification&) {
            const auto self = weakSelf.lock();
            if (!self || (*self)->defaultsChangeQueued) {
                return;
            }
            (*self)->defaultsChangeQueued = true;
            MainQueue::main().async([weakSelf] {
                if (const auto owner = weakSelf.lock()) {
                    (*owner)->defaultsChangeQueued = false;
                    (*owner)->handleDefaultsChange();
                }
            });
        });
}

void AppDelegate::observeScreenParameters() {
    observe(screenParametersObserver, WorkspaceNotificationName::screenParametersDidChange,
            &AppDelegate::onScreenParametersChange);
}

void AppDelegate::observeWakeNotifications() {
    observe(wakeObserver, WorkspaceNotificationName::didWake, &AppDelegate::onWake);
}

void AppDelegate::stopObservingSystemNotifications() {
    for (auto* field : {&spaceChangeObserver, &appActivationObserver, &defaultsObserver,
                        &screenParametersObserver, &wakeObserver}) {
        field->reset();
    }
}

void AppDelegate::handleActiveSpaceChange() {
    TessarinSpaceDiagnostics::debug([] { return std::string("active space changed"); });
    // The live state is authoritative again.
    tessarin_reset_switch_predictions();
    cancelPendingDeferredSpaceSwitch(true, false);
    shell_->refreshSpaceInfo();
    const std::optional<OSDGridSpaceContext> context =
        windowPreviews_->recordFrontmostApplicationForCurrentSpace();
    presentation_->refreshVisibleGridOSDIfNeeded(context);
    std::optional<std::pair<std::string, SpaceID>> previous;
    if (lastSpaceReference) {
        previous.emplace(lastSpaceReference->displayIdentifier, lastSpaceReference->spaceID);
    }
    windowPreviews_->scheduleWindowPreviewRefreshAfterSpaceChange(context, previous,
                                                                  MainQueue::main().now());
    const std::optional<std::string> display =
        context ? std::optional<std::string>(context->displayIdentifier)
                : cursorDisplayIdentifier();
    const std::optional<std::string> settingsDisplay =
        displaysHaveSeparateSpaces() ? display : std::nullopt;
    if (presentationStore.snapshot(settingsDisplay).screenshotCaptureMode ==
        OSDGridScreenshotCaptureMode::screen) {
        windowPreviews_->scheduleCurrentSpaceScreenshotCapture(context);
    }
    shell_->refreshPersistentGridOverlay();
    menuBarController().scheduleRefresh(0.2);
}

void AppDelegate::handleApplicationActivation(
    const std::optional<RunningApplication>& application) {
    TessarinSpaceDiagnostics::debug([&application] {
        return "application activated app=" +
               orUnknown(application ? application->localizedName : std::nullopt) +
               " bundle=" + orUnknown(application ? application->bundleIdentifier : std::nullopt);
    });
    const std::optional<OSDGridSpaceContext> context =
        windowPreviews_->recordActivatedApplication(application);
    presentation_->refreshVisibleGridOSDIfNeeded(context);
    if (context) {
        shell_->refreshPersistentGridOverlay();
    }
    menuBarController().scheduleRefresh(0.1);
}

void AppDelegate::handleDefaultsChange() {
    // Redraws only when the setting changed.
    menuBarController().setMenuBarIconSetting(
        persisted<MenuBarIconSetting>(Host::current().defaults()));
    OSDAppFilter filter = OSDAppFilterSetting::persisted(Host::current().defaults());
    const bool filterChanged = filter != appFilter;
    if (filterChanged) {
        appFilter = std::move(filter);
        windowPreviews_->pruneFilteredEntries();
        presentation_->refreshVisibleGridOSDIfVisible(currentGridOSDDisplayIdentifier);
    }
    windowPreviews_->clearScheduledPreviewRefreshes();
    // A changed filter changes every preview: spread the work instead of doing it at once.
    rescheduleWindowPreviews(WindowPreviewRefreshReason::settingsChanged, filterChanged ? 1.0 : 0,
                             filterChanged ? 8.0 : 0);
    shell_->restartPeriodicGridScreenshotRefresh();
    shell_->refreshPersistentGridOverlay();
}

void AppDelegate::handleScreenParametersChange() {
    TessarinSpaceDiagnostics::debug([] { return std::string("screen parameters changed"); });
    beginSpaceTopologyStabilization("screen-parameters");
    windowPreviews_->cancelPendingGridScreenshotCapture();
    // Per-display hotkeys follow the new set of displays.
    reregisterAllHotkeys();
    shell_->refreshSpaceInfo();
    presentation_->refreshVisibleGridOSDIfNeeded(windowPreviews_->currentGridSpaceContext());
    windowPreviews_->scheduleCurrentSpaceScreenshotCapture(std::nullopt);
    windowPreviews_->clearScheduledPreviewRefreshes();
    rescheduleWindowPreviews(WindowPreviewRefreshReason::settingsChanged, 0, 0);
    shell_->restartPeriodicGridScreenshotRefresh();
    shell_->refreshPersistentGridOverlay();
}

void AppDelegate::handleWake() {
    TessarinSpaceDiagnostics::debug([] { return std::string("system woke from sleep"); });
    beginSpaceTopologyStabilization("wake");
    rescheduleWindowPreviews(WindowPreviewRefreshReason::wake, 0, 0);
    trackpadRawInputCoordinator.restartAfterWake();
}

void AppDelegate::rescheduleWindowPreviews(WindowPreviewRefreshReason reason, double initialDelay,
                                           double spreadDuration) {
    if (!windowPreviews_->refreshPlanIncludesPreviews()) {
        windowPreviews_->refreshWindowSpaceMetadataOnly();
        return;
    }
    if (windowPreviews_->scheduleAllVisibleSpacePreviewRefreshes(reason, initialDelay,
                                                                 spreadDuration)) {
        shell_->restartPeriodicGridScreenshotRefresh();
    }
}

} // namespace tessarin
