#include "UI/Preferences/System/SystemSettingsViewController.h"

#include "Model/Health/TessarinPrivacyPermissionResetter.h"
#include "Model/Settings/GeneralSettingsNormalization.h"
#include "Model/Settings/MenuBarIconSetting.h"
#include "Model/Settings/OSDAllowsMouseSelectionSetting.h"
#include "Model/Settings/OSDAppFilterSetting.h"
#include "Model/Settings/OSDGridShuffleRearrangingSetting.h"
#include "Platform/Host.h"
#include "Platform/LoginItems/LoginItems.h"
#include "Platform/Preferences/UserDefaults.h"
#include "Platform/SystemServices.h"
#include "UI/Preferences/Kit/SettingsPopUpButton.h"
#include "UI/Preferences/Kit/SettingsRowView.h"
#include "UI/Preferences/Kit/SettingsSectionView.h"
#include "UI/Preferences/Kit/SettingsSheet.h"
#include "UI/Preferences/Kit/SettingsSwitch.h"
#include "UI/Preferences/System/PageShownObserver.h"
#include "UI/Preferences/System/SystemSettingsViewIdentifier.h"

#include <QLabel>
#include <QPushButton>

namespace tessarin {

namespace Id = SystemSettingsViewIdentifier;

namespace {

QString id(const char* identifier) {
    return QString::fromUtf8(identifier);
}

QString menuBarIconTitle(MenuBarIconSetting setting) {
    switch (setting) {
    case MenuBarIconSetting::minigrid:
        return QStringLiteral("Minigrid");
    case MenuBarIconSetting::spaceNumber:
        return QStringLiteral("Space Number");
    case MenuBarIconSetting::tessarin:
        break;
    }
    return QStringLiteral("Tessarin");
}

} // namespace

SystemSettingsViewController::SystemSettingsViewController(
    UserDefaults& defaults, PermissionResetHandler permissionResetHandler,
    PermissionResetConfirmation permissionResetConfirmation,
    PermissionResetResultHandler permissionResetResultHandler)
    : defaults_(defaults), permissionResetHandler_(std::move(permissionResetHandler)),
      permissionResetConfirmation_(std::move(permissionResetConfirmation)),
      permissionResetResultHandler_(std::move(permissionResetResultHandler)) {
    if (!permissionResetHandler_) {
        permissionResetHandler_ = TessarinPrivacyPermissionResetter::resetAll;
    }
    if (!permissionResetConfirmation_) {
        permissionResetConfirmation_ = PrivacyPermissionResetAlerts::confirm;
    }
    if (!permissionResetResultHandler_) {
        permissionResetResultHandler_ = PrivacyPermissionResetAlerts::showResult;
    }
}

SystemSettingsViewController::~SystemSettingsViewController() {
    if (activationToken_ != 0) {
        Host::current().programActivation().removeObserver(activationToken_);
    }
    delete appFilterSheet_.sheet.data();
}

void SystemSettingsViewController::viewDidLoad() {
    GeneralSettingsNormalization::apply(defaults_);
    setupControls();
    observeLaunchAtLoginChanges();
    renderPage();
}

void SystemSettingsViewController::setupControls() {
    const auto makeSwitch = [this](void (SystemSettingsViewController::*handler)()) {
        auto* control = new SettingsSwitch();
        configureSwitch(*control);
        QObject::connect(control, &SettingsSwitch::clicked, control,
                         [this, handler] { (this->*handler)(); });
        keepControl(control);
        return control;
    };
    const auto makeButton = [this](const QString& title,
                                   void (SystemSettingsViewController::*handler)()) {
        auto* button = new QPushButton(title);
        QObject::connect(button, &QPushButton::clicked, button,
                         [this, handler] { (this->*handler)(); });
        keepControl(button);
        return button;
    };
    launchAtLoginSwitch_ = makeSwitch(&SystemSettingsViewController::launchAtLoginChanged);
    configureMenuBarIconPopup();
    osdAllowsMouseSelectionSwitch_ =
        makeSwitch(&SystemSettingsViewController::osdAllowsMouseSelectionChanged);
    osdShuffleRearrangingSwitch_ =
        makeSwitch(&SystemSettingsViewController::osdShuffleRearrangingChanged);
    appFilterButton_ =
        makeButton(QStringLiteral("Configure"), &SystemSettingsViewController::showAppFilterSheet);
    resetPermissionsButton_ =
        makeButton(QStringLiteral("Reset"), &SystemSettingsViewController::resetPermissions);
}

void SystemSettingsViewController::configureMenuBarIconPopup() {
    menuBarIconPopup_ = new SettingsPopUpButton();
    configurePopupButton(*menuBarIconPopup_);
    menuBarIconPopup_->clear();
    for (const MenuBarIconSetting setting : allCases<MenuBarIconSetting>()) {
        menuBarIconPopup_->addItemWithRawValue(menuBarIconTitle(setting),
                                               QString::fromStdString(rawValue(setting)));
    }
    menuBarIconPopup_->onSelectionChanged = [this](const QVariant&) { menuBarIconChanged(); };
    keepControl(menuBarIconPopup_);
}

void SystemSettingsViewController::observeLaunchAtLoginChanges() {
    new PageShownObserver(*view(), [this] { reloadLaunchAtLoginState(); });
    activationToken_ = Host::current().programActivation().addObserver([this](bool active) {
        if (active) {
            reloadLaunchAtLoginState();
        }
    });
}

void SystemSettingsViewController::renderPage() {
    installPageMadeBy([this] { return makeSections(); });
    loadSettings();
}

std::vector<QWidget*> SystemSettingsViewController::makeSections() {
    std::vector<QWidget*> systemRows{
        new SettingsRowView(QStringLiteral("Start at login"), std::nullopt, launchAtLoginSwitch_,
                            std::nullopt, id(Id::launchAtLoginControl)),
        new SettingsRowView(QStringLiteral("Menubar Icon"), std::nullopt, menuBarIconPopup_,
                            std::nullopt, id(Id::menuBarIconControl)),
        new SettingsRowView(
            QStringLiteral("Reset permissions"),
            QStringLiteral("Remove Accessibility and Screen Recording decisions for this app."),
            resetPermissionsButton_, id(Id::resetPermissionsRow), id(Id::resetPermissionsControl),
            id(Id::resetPermissionsDetail))};
    std::vector<QWidget*> osdRows{
        new SettingsRowView(QStringLiteral("Allow click-to-switch with mouse"), std::nullopt,
                            osdAllowsMouseSelectionSwitch_, id(Id::mouseSelectionRow),
                            id(Id::mouseSelectionControl)),
        new SettingsRowView(
            QStringLiteral("Shuffle when re-arranging"),
            QStringLiteral("When off, dragging swaps the source and target spaces. When on, "
                           "dragging inserts the source space and shifts the spaces in between."),
            osdShuffleRearrangingSwitch_, id(Id::shuffleRearrangingRow),
            id(Id::shuffleRearrangingControl), id(Id::shuffleRearrangingDetail)),
        makeAppFilterRow()};
    return std::vector<QWidget*>{
        new SettingsSectionView(QStringLiteral("System"), id(Id::systemSectionTitle), systemRows),
        new SettingsSectionView(QStringLiteral("OSD Behavior"), id(Id::osdBehaviorSectionTitle),
                                osdRows)};
}

SettingsRowView* SystemSettingsViewController::makeAppFilterRow() {
    appFilterRow_ = new SettingsRowView(
        QStringLiteral("App filter"),
        QString::fromStdString(OSDAppFilterSetting::summary(defaults_)), appFilterButton_,
        id(Id::appFilterRow), id(Id::appFilterControl), id(Id::appFilterDetail));
    return appFilterRow_;
}

void SystemSettingsViewController::loadSettings() {
    reloadLaunchAtLoginState();
    menuBarIconPopup_->selectItemWithRawValue(
        QString::fromStdString(rawValue(persisted<MenuBarIconSetting>(defaults_))));
    osdAllowsMouseSelectionSwitch_->setOn(OSDAllowsMouseSelectionSetting::persisted(defaults_));
    osdShuffleRearrangingSwitch_->setOn(OSDGridShuffleRearrangingSetting::persisted(defaults_));
    if (appFilterRow_ && appFilterRow_->detailLabel() != nullptr) {
        appFilterRow_->detailLabel()->setText(
            QString::fromStdString(OSDAppFilterSetting::summary(defaults_)));
    }
}

void SystemSettingsViewController::reloadLaunchAtLoginState() {
    launchAtLoginSwitch_->setOn(Host::current().loginItems().mainAppStatus() ==
                                LoginItemStatus::enabled);
}

void SystemSettingsViewController::launchAtLoginChanged() {
    const bool enable = launchAtLoginSwitch_->isOn();
    LoginItems& loginItems = Host::current().loginItems();
    const std::optional<std::string> failure =
        enable ? loginItems.registerMainApp() : loginItems.unregisterMainApp();
    if (!failure) {
        return;
    }
    SystemServices& system = Host::current().system();
    system.beep();
    launchAtLoginSwitch_->setOn(!enable);
    system.runModalAlert(SystemAlert{std::string("Failed to ") + (enable ? "enable" : "disable") +
                                         " launch at login",
                                     *failure,
                                     {"OK"},
                                     AlertStyle::warning});
}

void SystemSettingsViewController::menuBarIconChanged() {
    const std::optional<QVariant> raw = menuBarIconPopup_->selectedRawValue();
    if (!raw || raw->typeId() != QMetaType::QString) {
        return;
    }
    if (const auto setting = fromRawValue<MenuBarIconSetting>(raw->toString().toStdString())) {
        persist(*setting, defaults_);
    }
}

void SystemSettingsViewController::osdAllowsMouseSelectionChanged() {
    defaults_.set(OSDAllowsMouseSelectionSetting::key, osdAllowsMouseSelectionSwitch_->isOn());
}

void SystemSettingsViewController::osdShuffleRearrangingChanged() {
    defaults_.set(OSDGridShuffleRearrangingSetting::key, osdShuffleRearrangingSwitch_->isOn());
}

void SystemSettingsViewController::resetPermissions() {
    if (!permissionResetConfirmation_()) {
        return;
    }
    const PrivacyPermissionResetResult result = permissionResetHandler_(defaults_);
    if (result) {
        Host::current().system().beep();
    }
    permissionResetResultHandler_(result);
}

} // namespace tessarin
