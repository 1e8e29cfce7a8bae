// The delegate's own pieces of the shell: the main menu with its key equivalents and the
// preferences window made on first use.

#include "Core/AppDelegate/AppDelegate.h"
#include "UI/MenuBar/MainMenuKeyEquivalents.h"
#include "UI/Preferences/Window/PreferencesWindowController.h"

namespace tessarin {

void AppDelegate::installMainMenu() {
    mainMenu = TessarinMainMenuFactory::makeMainMenu("openPreferences:");
    mainMenuKeyEquivalents_ = std::make_unique<MainMenuKeyEquivalents>(
        *mainMenu, [weakSelf = std::weak_ptr<AppDelegate*>(self_)](const std::string& action) {
            const auto self = weakSelf.lock();
            if (self && action == "openPreferences:") {
                (*self)->openPreferences();
            }
        });
}

PreferencesWindowPresenting* AppDelegate::preferencesWindowController() {
    if (!preferencesWindow_) {
        preferencesWindow_ =
            makePreferencesWindow_
                ? makePreferencesWindow_(softwareUpdateController)
                : std::make_shared<PreferencesWindowController>(&softwareUpdateController);
    }
    return preferencesWindow_.get();
}

void AppDelegate::openPreferences() {
    PreferencesWindowPresenting* controller = preferencesWindowController();
    if (controller && controller->hasWindow()) {
        controller->bringWindowToFront();
    }
}

} // namespace tessarin
