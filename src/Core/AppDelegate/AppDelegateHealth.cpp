#include "Core/AppDelegate/AppDelegate.h"
#include "Hotkeys/TessarinMissionControlKeyboardShortcutPreset.h"
#include "Platform/Host.h"
#include "Platform/Preferences/UserDefaults.h"
#include "UI/Health/TessarinHealthCheckWindowController.h"

namespace tessarin {

void AppDelegate::presentHealthCheckAtLaunch() {
    switch (healthCheckWindowController().launchPresentation()) {
    case TessarinHealthLaunchPresentation::setup:
        healthCheckWindowController().present(TessarinHealthCheckPresentationMode::setup);
        return;
    case TessarinHealthLaunchPresentation::allSet:
        healthCheckWindowController().present(TessarinHealthCheckPresentationMode::allSet);
        return;
    case TessarinHealthLaunchPresentation::none:
        return;
    }
}

TessarinSpacePracticeState AppDelegate::currentSpacePracticeState() {
    using Preset = TessarinMissionControlKeyboardShortcutPreset;
    UserDefaults& defaults = Host::current().defaults();
    if (Preset::applyIfAvailableOnce(hotkeyStore, *systemShortcutConflictDetector, defaults)) {
        return {false, true};
    }
    if (!defaults.boolValue(Preset::appliedKey).value_or(false)) {
        return {false, false};
    }
    return {false, hotkeyStore.isMissionControlKeyboardShortcutPresetApplied()};
}

std::function<TessarinSpacePracticeState()> AppDelegate::spacePracticeStateProvider() const {
    return [weakSelf = std::weak_ptr<AppDelegate*>(self_)] {
        const auto self = weakSelf.lock();
        return self ? (*self)->currentSpacePracticeState()
                    : TessarinSpacePracticeState{true, false};
    };
}

HealthWindowPresenting& AppDelegate::healthCheckWindowController() {
    if (!healthWindow_) {
        TessarinHealthCheckPageDependencies page;
        page.openSettings = [weakSelf = std::weak_ptr<AppDelegate*>(self_)] {
            const auto self = weakSelf.lock();
            if (self) {
                (*self)->openPreferences();
            }
        };
        page.practiceStateProvider = spacePracticeStateProvider();
        page.hotkeyStore = &hotkeyStore;
        page.gridModeStore = &gridModeStore;
        page.workspaceShortcutStore = &workspaceShortcutStore;
        page.systemShortcutConflictDetector = systemShortcutConflictDetector;
        healthWindow_ = std::make_shared<TessarinHealthCheckWindowController>(std::move(page));
    }
    return *healthWindow_;
}

} // namespace tessarin
