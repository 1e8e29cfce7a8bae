#pragma once

#include "UI/Preferences/Window/PreferencesPage.h"

#include <functional>
#include <memory>

namespace tessarin {

class SettingsPageViewController;
class SoftwareUpdateChecking;

// Makes the controller of one page. The window asks once per page, when it is created.
using PreferencesPageFactory =
    std::function<std::unique_ptr<SettingsPageViewController>(PreferencesPage)>;

// The pages built so far (Trackpad, About over `softwareUpdates`); Display, Keyboard and System
// are placeholders that name their page until their controllers are wired in here.
PreferencesPageFactory defaultPreferencesPageFactory(SoftwareUpdateChecking& softwareUpdates);

// A page that shows only its title: stands in for a page that is not built.
std::unique_ptr<SettingsPageViewController> makePlaceholderPage(PreferencesPage page);

} // namespace tessarin
