#include "Core/AppDelegate/AppDelegate.h"
#include "Hotkeys/TessarinMissionControlKeyboardShortcutPreset.h"
#include "Platform/Host.h"
#include "Platform/Preferences/UserDefaults.h"

namespace tessarin {

void AppDelegate::presentHealthCheckAtLaunch() {
    switch (healthWindow_->launchPresentation()) {
    case TessarinHealthLaunchPresentation::setup:
        healthWindow_->present(TessarinHealthCheckPresentationMode::setup);
        return;
    case TessarinHealthLaunchPresentation::allSet:
        healthWindow_->present(TessarinHealthCheckPresentationMode::allSet);
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

} // namespace tessarin
