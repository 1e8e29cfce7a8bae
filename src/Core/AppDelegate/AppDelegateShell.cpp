// The delegate's own pieces of the shell: the main menu, the preferences window made on first
// use, and the Space-practice state the health window reads.

#include "Core/AppDelegate/AppDelegate.h"
#include "Hotkeys/TessarinMissionControlKeyboardShortcutPreset.h"
#include "Platform/Host.h"
#include "Platform/Preferences/UserDefaults.h"

namespace tessarin {

void AppDelegate::installMainMenu() {
    mainMenu = TessarinMainMenuFactory::makeMainMenu("openPreferences:");
}

PreferencesWindowPresenting* AppDelegate::preferencesWindowController() {
    if (!preferencesWindow_ && makePreferencesWindow_) {
        preferencesWindow_ = makePreferencesWindow_(softwareUpdateController);
    }
    return preferencesWindow_.get();
}

void AppDelegate::openPreferences() {
    PreferencesWindowPresenting* controller = preferencesWindowController();
    if (controller && controller->hasWindow()) {
        controller->bringWindowToFront();
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

} // namespace tessarin
