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

// The five pages over the current host's shared stores (About over `softwareUpdates`).
PreferencesPageFactory defaultPreferencesPageFactory(SoftwareUpdateChecking& softwareUpdates);

} // namespace tessarin
