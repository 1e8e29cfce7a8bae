#include "UI/Preferences/Window/PreferencesPageFactory.h"

#include "Core/Settings/TrackpadSwipeSettingsStore.h"
#include "Platform/Host.h"
#include "UI/Preferences/About/AboutSettingsViewController.h"
#include "UI/Preferences/Display/DisplaySettingsViewController.h"
#include "UI/Preferences/Keyboard/KeyboardShortcutsViewController.h"
#include "UI/Preferences/Kit/SettingsPageLayout.h"
#include "UI/Preferences/Kit/SettingsPageViewController.h"
#include "UI/Preferences/System/SystemSettingsViewController.h"
#include "UI/Preferences/Trackpad/TrackpadSettingsViewController.h"

#include <QLabel>

namespace tessarin {

namespace {

class PlaceholderPage final : public SettingsPageViewController {
public:
    explicit PlaceholderPage(PreferencesPage page) : page_(page) {}

protected:
    void viewDidLoad() override {
        QLabel* label =
            SettingsPageLayout::makeLabel(title(page_), SettingsPageLayout::sectionHeaderFont());
        label->setObjectName(QStringLiteral("preferences.placeholder.") + title(page_).toLower());
        installPage({label});
    }

private:
    PreferencesPage page_;
};

} // namespace

std::unique_ptr<SettingsPageViewController> makePlaceholderPage(PreferencesPage page) {
    return std::make_unique<PlaceholderPage>(page);
}

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
            return std::make_unique<DisplaySettingsViewController>();
        }
        return makePlaceholderPage(page);
    };
}

} // namespace tessarin
