#include "UI/Preferences/Window/PreferencesPageFactory.h"

#include "Model/Settings/TrackpadSwipeSettingsStore.h"
#include "Platform/Host.h"
#include "UI/Preferences/About/AboutSettingsViewController.h"
#include "UI/Preferences/Display/DisplaySettingsViewController.h"
#include "UI/Preferences/Keyboard/KeyboardShortcutsViewController.h"
#include "UI/Preferences/Kit/SettingsPageViewController.h"
#include "UI/Preferences/System/SystemSettingsViewController.h"
#include "UI/Preferences/Trackpad/TrackpadSettingsViewController.h"

namespace tessarin {

PreferencesPageFactory defaultPreferencesPageFactory(SoftwareUpdateChecking& softwareUpdates) {
    return [&softwareUpdates](PreferencesPage page) -> std::unique_ptr<SettingsPageViewController> {
        switch (page) {
        case PreferencesPage::trackpad:
            return std::make_unique<TrackpadSettingsViewController>(
                TrackpadSwipeSettingsStore::shared());
        case PreferencesPage::about:
            return std::make_unique<AboutSettingsViewController>(
                Host::current().programBundle(), AboutSettingsViewController::loadAppIconImage,
                softwareUpdates);
        case PreferencesPage::keyboard:
            return std::make_unique<KeyboardShortcutsViewController>();
        case PreferencesPage::system:
            return std::make_unique<SystemSettingsViewController>(Host::current().defaults());
        case PreferencesPage::display:
            break;
        }
        return std::make_unique<DisplaySettingsViewController>();
    };
}

} // namespace tessarin
