#include "Core/AppDelegate/AppDelegate.h"
#include "Hotkeys/HotKeyManager.h"
#include "Hotkeys/MissionControlShortcutOverrideEventTap.h"
#include "Model/Spaces/TessarinDisplayCatalog.h"

#include <memory>
#include <string>
#include <utility>

namespace tessarin {

namespace {

// A subscription callback that reaches the delegate only while it lives.
template <typename Action> auto weakly(std::weak_ptr<AppDelegate*> weakSelf, Action action) {
    return [weakSelf = std::move(weakSelf), action](const auto& value) {
        if (auto self = weakSelf.lock()) {
            action(**self, value);
        }
    };
}

std::optional<TessarinDirection> directionOf(HotkeyIdentifier identifier) {
    switch (identifier) {
    case HotkeyIdentifier::left:
        return TessarinDirectionLeft;
    case HotkeyIdentifier::right:
        return TessarinDirectionRight;
    case HotkeyIdentifier::up:
        return TessarinDirectionUp;
    case HotkeyIdentifier::down:
        return TessarinDirectionDown;
    default:
        return std::nullopt;
    }
}

// The picker and the vertical moves exist only while the grid is on.
bool needsGridMode(HotkeyIdentifier identifier) {
    return identifier == HotkeyIdentifier::showOSD || identifier == HotkeyIdentifier::up ||
           identifier == HotkeyIdentifier::down;
}

} // namespace

// ---------------------------------------------------------------- Store subscriptions

void AppDelegate::bindHotkeys() {
    const std::weak_ptr<AppDelegate*> weakSelf = self_;
    const auto reregister = weakly(
        weakSelf, [](AppDelegate& delegate, const auto&) { delegate.reregisterAllHotkeys(); });
    const auto layout = weakly(
        weakSelf, [](AppDelegate& delegate, const auto&) { delegate.refreshAfterLayoutChange(); });

    cancellables.push_back(hotkeyStore.revision.subscribe(reregister, true));
    cancellables.push_back(workspaceShortcutStore.revision.subscribe(reregister, true));
    cancellables.push_back(gridModeStore.isEnabled.subscribe(
        weakly(weakSelf,
               [](AppDelegate& delegate, bool enabled) { delegate.applyGridModeChange(enabled); }),
        false));
    bindTrackpad();
    cancellables.push_back(gridModeStore.settingsRevision.subscribe(layout, true));
    cancellables.push_back(presentationStore.revision.subscribe(
        weakly(weakSelf, [](AppDelegate& delegate,
                            const auto&) { delegate.refreshAfterPresentationChange(); }),
        false));
    cancellables.push_back(spaceOrderStore.revision.subscribe(layout, true));
    cancellables.push_back(directSlotMetadataStore.revision.subscribe(layout, false));
}

void AppDelegate::applyGridModeChange(bool enabled) {
    shell_->setGridModeEnabled(enabled);
    reregisterAllHotkeys();
    shell_->refreshSpaceInfo();
    shell_->refreshPersistentGridOverlay();
    windowPreviews_->clearScheduledPreviewRefreshes();
    if (enabled) {
        windowPreviews_->scheduleCurrentSpaceScreenshotCapture();
        applySettingsChangePreviewPlan();
    } else {
        windowPreviews_->cancelPendingGridScreenshotCapture();
    }
    shell_->restartPeriodicGridScreenshotRefresh();
}

void AppDelegate::refreshAfterPresentationChange() {
    windowPreviews_->cancelPendingGridScreenshotCapture();
    windowPreviews_->clearScheduledPreviewRefreshes();
    if (presentation_->shouldCaptureGridSpaceScreenshots(cursorDisplayIdentifier(), false,
                                                         std::nullopt)) {
        windowPreviews_->scheduleCurrentSpaceScreenshotCapture();
    }
    presentation_->refreshVisibleGridOSDIfNeeded(windowPreviews_->currentGridSpaceContext());
    applySettingsChangePreviewPlan();
    shell_->restartPeriodicGridScreenshotRefresh();
    shell_->refreshPersistentGridOverlay();
}

void AppDelegate::refreshAfterLayoutChange() {
    shell_->refreshSpaceInfo();
    shell_->refreshPersistentGridOverlay();
    presentation_->refreshVisibleGridOSDIfVisible(currentGridOSDDisplayIdentifier);
}

void AppDelegate::applySettingsChangePreviewPlan() {
    if (!windowPreviews_->refreshPlanIncludesPreviews()) {
        windowPreviews_->refreshWindowSpaceMetadataOnly();
        return;
    }
    if (windowPreviews_->scheduleAllVisibleSpacePreviewRefreshes()) {
        shell_->restartPeriodicGridScreenshotRefresh();
    }
}

// ---------------------------------------------------------------- Registration

void AppDelegate::reregisterAllHotkeys() {
    if (hotkeys_) {
        hotkeys_->reregisterAllHotkeys();
        return;
    }
    HotKeyManager::shared().unregisterAll();
    MissionControlShortcutOverrideEventTap& overrideTap =
        MissionControlShortcutOverrideEventTap::shared();
    overrideTap.update({});
    if (shouldSuppressTopologySensitiveWork("hotkey-registration")) {
        // The stabilization's completion registers everything again.
        return;
    }
    const SeparateSpacesPin pin(*this);
    std::vector<HotkeyOverrideRegistration> overrides;
    const auto collect = [&](const HotkeyAction& action) {
        if (auto registration = registerHotkey(action)) {
            overrides.push_back(std::move(*registration));
        }
    };
    for (HotkeyIdentifier identifier : kAllHotkeyIdentifiers) {
        collect(HotkeyAction::cursor(identifier));
    }
    if (displaysHaveSeparateSpaces()) {
        for (const TessarinDisplay& display : TessarinDisplayCatalog::connectedDisplays()) {
            for (HotkeyIdentifier identifier : kDisplaySpecificHotkeyIdentifiers) {
                collect(HotkeyAction::onDisplay(identifier, display.identifier));
            }
        }
    }
    registerWorkspaceShortcuts(overrides);
    overrideTap.update(std::move(overrides));
}

std::optional<HotkeyOverrideRegistration> AppDelegate::registerHotkey(const HotkeyAction& action) {
    HotKeyManager& manager = HotKeyManager::shared();
    const auto identity = HotkeyRegistrationIdentity::action(action);
    const auto unregistered = [&]() -> std::optional<HotkeyOverrideRegistration> {
        manager.unregister(identity);
        return std::nullopt;
    };
    if (action.scope.isCursorDisplay()) {
        // The menu shows the binding even while the hotkey is off.
        shell_->applyHotkey(hotkeyStore.combination(action.identifier), action.identifier);
    } else if (!displaysHaveSeparateSpaces()) {
        return unregistered();
    }
    const std::optional<HotkeyCombination> combination = hotkeyStore.combination(action);
    if (!combination || !hotkeyStore.isEnabled(action) ||
        (needsGridMode(action.identifier) && !gridModeStore.isEnabled())) {
        return unregistered();
    }
    HotkeyHandler handler = hotkeyHandler(action, *combination);
    manager.registerHotKey(identity, *combination, handler);
    // A refused registration still hands its keys to the override tap.
    if (action.shouldAlwaysOverrideMissionControlShortcut(*combination) ||
        (hotkeyStore.isSystemShortcutOverrideEnabled(action) &&
         !systemShortcutConflictDetector->conflicts(*combination).empty())) {
        return HotkeyOverrideRegistration{identity, *combination, std::move(handler)};
    }
    return std::nullopt;
}

void AppDelegate::registerWorkspaceShortcuts(std::vector<HotkeyOverrideRegistration>& overrides) {
    HotKeyManager& manager = HotKeyManager::shared();
    for (const WorkspaceShortcut& workspace : workspaceShortcutStore.cachedWorkspaces()) {
        const auto identity = HotkeyRegistrationIdentity::workspace(workspace.id);
        if (!workspace.shortcut) {
            manager.unregister(identity);
            continue;
        }
        HotkeyHandler handler = workspaceHotkeyHandler(workspace, *workspace.shortcut);
        manager.registerHotKey(identity, *workspace.shortcut, handler);
        if (workspace.systemShortcutOverrideEnabled &&
            !systemShortcutConflictDetector->conflicts(*workspace.shortcut).empty()) {
            overrides.push_back({identity, *workspace.shortcut, std::move(handler)});
        }
    }
}

// ---------------------------------------------------------------- Dispatch

HotkeyHandler AppDelegate::hotkeyHandler(const HotkeyAction& action,
                                         const HotkeyCombination& combination) {
    std::weak_ptr<AppDelegate*> weakSelf = self_;
    return [weakSelf, action, combination](const HotkeyTriggerContext& context) {
        auto self = weakSelf.lock();
        if (!self) {
            return;
        }
        AppDelegate& delegate = **self;
        const auto trace = delegate.hotkeyMetricsTrace(action, combination, context);
        delegate.separateSpacesDuringRequest_ = delegate.displaysHaveSeparateSpaces();
        if (action.scope.isCursorDisplay()) {
            delegate.handleCursorDisplayHotkey(action.identifier, combination, trace);
        } else if (*delegate.separateSpacesDuringRequest_) {
            // Displays that share one set of Spaces have no Spaces of their own to switch.
            delegate.performHotkeySwitch(action.identifier, action.scope.displayKey(), combination,
                                         trace);
        }
        delegate.separateSpacesDuringRequest_.reset();
    };
}

void AppDelegate::handleCursorDisplayHotkey(HotkeyIdentifier identifier,
                                            const HotkeyCombination& combination,
                                            const OSDPresentationMetricsTraceRef& metricsTrace) {
    if (identifier == HotkeyIdentifier::showOSD) {
        toggleOSDSpacePicker(metricsTrace);
    } else if (identifier == HotkeyIdentifier::lastSpace) {
        performSpaceLastSpace(combination, metricsTrace);
    } else {
        performHotkeySwitch(identifier, std::nullopt, combination, metricsTrace);
    }
}

void AppDelegate::performHotkeySwitch(HotkeyIdentifier identifier,
                                      const std::optional<std::string>& displayIdentifier,
                                      const HotkeyCombination& combination,
                                      const OSDPresentationMetricsTraceRef& metricsTrace) {
    if (const auto direction = directionOf(identifier)) {
        performSpaceSwitch(*direction, displayIdentifier, combination, metricsTrace);
    } else if (const auto slot = directSlotIndex(identifier)) {
        performSpaceSwitchToIndex(static_cast<uint32_t>(*slot - 1), displayIdentifier, combination,
                                  metricsTrace);
    }
}

HotkeyHandler AppDelegate::workspaceHotkeyHandler(const WorkspaceShortcut& workspace,
                                                  const HotkeyCombination& combination) {
    std::weak_ptr<AppDelegate*> weakSelf = self_;
    // The workspace acts as it was when registered; the next registration replaces it.
    return [weakSelf, workspace, combination](const HotkeyTriggerContext& context) {
        auto self = weakSelf.lock();
        if (!self) {
            return;
        }
        AppDelegate& delegate = **self;
        OSDPresentationMetricsTraceRef trace;
        if (delegate.metrics_->isEnabled()) {
            trace = delegate.metrics_->startTrace("workspace-hotkey", context.receivedAt);
            delegate.mark("hotkey.handler.started", trace, [&] {
                return OSDPresentationMetricsFields{
                    {"workspaceID", workspace.id.uuidString()},
                    {"workspaceName", workspace.name},
                    {"source", std::string(tessarin::rawValue(context.source))},
                    {"keyCode", std::to_string(combination.keyCode)},
                    {"modifiers", std::to_string(combination.modifiers)}};
            });
        }
        delegate.activateWorkspace(workspace, trace);
    };
}

OSDPresentationMetricsTraceRef
AppDelegate::hotkeyMetricsTrace(const HotkeyAction& action, const HotkeyCombination& combination,
                                const HotkeyTriggerContext& triggerContext) {
    if (!metrics_->isEnabled()) {
        return nullptr;
    }
    auto trace = metrics_->startTrace("hotkey", triggerContext.receivedAt);
    mark("hotkey.handler.started", trace, [&] {
        OSDPresentationMetricsFields fields{
            {"action", std::string(tessarin::rawValue(action.identifier))},
            {"scope", action.scope.isCursorDisplay() ? "cursor" : "display"},
            {"source", std::string(tessarin::rawValue(triggerContext.source))},
            {"keyCode", std::to_string(combination.keyCode)},
            {"modifiers", std::to_string(combination.modifiers)}};
        if (!action.scope.isCursorDisplay()) {
            fields["scopeDisplay"] = action.scope.displayKey().value_or("nil");
        }
        return fields;
    });
    return trace;
}

} // namespace tessarin
