#pragma once

#include "Platform/Program/ProgramActivation.h"
#include "UI/Preferences/Kit/SettingsPageViewController.h"
#include "UI/Preferences/System/AppFilterSheet.h"
#include "UI/Preferences/System/PrivacyPermissionResetAlerts.h"

#include <functional>
#include <string>
#include <vector>

class QPushButton;

namespace tessarin {

class SettingsPopUpButton;
class SettingsRowView;
class SettingsSwitch;
class UserDefaults;

// The System page: start at login, the status item's icon, the privacy reset, and the OSD's
// click-to-switch, rearranging and app filter. It writes plain defaults and tells nobody; the
// status item and the OSD read them through the delegate's defaults observer. The start-at-login
// switch follows the login items each time the page is shown and when the program becomes
// active, since the setup wizard or System Settings may change the registration meanwhile.
class SystemSettingsViewController final : public SettingsPageViewController {
public:
    // Resets the decisions; answers why it stopped, or nothing.
    using PermissionResetHandler = std::function<PrivacyPermissionResetResult(UserDefaults&)>;
    using PermissionResetConfirmation = std::function<bool()>;
    using PermissionResetResultHandler = std::function<void(const PrivacyPermissionResetResult&)>;

    // Defaults: the privacy resetter and the page's own alerts.
    explicit SystemSettingsViewController(
        UserDefaults& defaults, PermissionResetHandler permissionResetHandler = {},
        PermissionResetConfirmation permissionResetConfirmation = {},
        PermissionResetResultHandler permissionResetResultHandler = {});
    ~SystemSettingsViewController() override;

    // Handlers of the controls.
    void launchAtLoginChanged();
    void menuBarIconChanged();
    void osdAllowsMouseSelectionChanged();
    void osdShuffleRearrangingChanged();
    void resetPermissions();
    void showAppFilterSheet();
    void addAppFilterEntry();
    void removeSelectedAppFilterEntry();
    void closeAppFilterSheet();
    void appFilterTextChanged();
    void appFilterSelectionChanged();

    // Shows the login items' registration on the switch.
    void reloadLaunchAtLoginState();

    // The open App Filter sheet; its `sheet` is null while none is open.
    const AppFilterSheet& appFilterSheet() const { return appFilterSheet_; }
    const std::vector<std::string>& appFilterEntries() const { return appFilterEntries_; }

protected:
    void viewDidLoad() override;

private:
    void setupControls();
    void configureMenuBarIconPopup();
    void observeLaunchAtLoginChanges();
    void renderPage();
    std::vector<QWidget*> makeSections();
    SettingsRowView* makeAppFilterRow();
    void loadSettings();
    void refreshAppFilterControls();
    void makeAppFilterSheet();
    void persistAppFilterEntries();

    UserDefaults& defaults_;
    PermissionResetHandler permissionResetHandler_;
    PermissionResetConfirmation permissionResetConfirmation_;
    PermissionResetResultHandler permissionResetResultHandler_;
    ProgramActivation::Token activationToken_ = 0;

    SettingsSwitch* launchAtLoginSwitch_ = nullptr;
    SettingsPopUpButton* menuBarIconPopup_ = nullptr;
    SettingsSwitch* osdAllowsMouseSelectionSwitch_ = nullptr;
    SettingsSwitch* osdShuffleRearrangingSwitch_ = nullptr;
    QPushButton* appFilterButton_ = nullptr;
    QPushButton* resetPermissionsButton_ = nullptr;
    AppFilterSheet appFilterSheet_;
    QPointer<SettingsRowView> appFilterRow_;
    std::vector<std::string> appFilterEntries_;
};

} // namespace tessarin
