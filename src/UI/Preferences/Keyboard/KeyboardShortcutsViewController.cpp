#include "UI/Preferences/Keyboard/KeyboardShortcutsViewController.h"

#include "Hotkeys/HotkeyStore.h"
#include "Hotkeys/MissionControlShortcutConflictDetector.h"
#include "Hotkeys/OSDKeyBindingStore.h"
#include "Model/Settings/GridModeStore.h"
#include "Model/Spaces/DirectSlotMetadataStore.h"
#include "Model/Spaces/TessarinDisplayCatalog.h"
#include "Platform/DisplayServer.h"
#include "Platform/Host.h"
#include "Platform/Input/HotKeyCenter.h"
#include "Platform/Program/ProgramActivation.h"
#include "Platform/SystemServices.h"
#include "TessarinCore/BridgeString.h"
#include "TessarinCore/TessarinCore.h"
#include "UI/Preferences/Controls/ShortcutRecorderControl.h"
#include "UI/Preferences/Controls/SymbolImageButton.h"
#include "UI/Preferences/Keyboard/KeyboardShortcutAlerts.h"
#include "UI/Preferences/Keyboard/KeyboardShortcutsViewIdentifier.h"
#include "UI/Preferences/Kit/DisplayTargetPopUp.h"
#include "UI/Preferences/Kit/SettingsPopUpButton.h"
#include "UI/Preferences/Kit/SettingsSwitch.h"
#include "Workspaces/WorkspaceShortcutStore.h"

#include <QDialog>
#include <QPushButton>

namespace tessarin {

namespace {

bool liveDisplaysHaveSeparateSpaces() {
    const auto screens = Host::current().displays().screens().size();
    return tessarin_displays_have_separate_spaces(static_cast<uint32_t>(screens));
}

std::optional<std::string> liveActiveMenuBarDisplayIdentifier() {
    return adoptBridgeString(tessarin_copy_active_menu_bar_display_identifier());
}

template <class T> T& orShared(T* given) {
    return given ? *given : T::shared();
}

QPushButton* smallPushButton(const char* title) {
    auto* button = new QPushButton(title);
    button->setAutoDefault(false);
    return button;
}

} // namespace

KeyboardShortcutsViewController::KeyboardShortcutsViewController(KeyboardShortcutsDependencies d)
    : store_(orShared(d.store)), gridModeStore_(orShared(d.gridModeStore)),
      osdKeyBindingStore_(orShared(d.osdKeyBindingStore)),
      directSlotMetadataStore_(orShared(d.directSlotMetadataStore)),
      workspaceShortcutStore_(orShared(d.workspaceShortcutStore)),
      displaysHaveSeparateSpacesProvider_(d.displaysHaveSeparateSpacesProvider
                                              ? std::move(d.displaysHaveSeparateSpacesProvider)
                                              : liveDisplaysHaveSeparateSpaces),
      activeMenuBarDisplayIdentifierProvider_(
          d.activeMenuBarDisplayIdentifierProvider
              ? std::move(d.activeMenuBarDisplayIdentifierProvider)
              : liveActiveMenuBarDisplayIdentifier),
      workspaceConfigurationTargetProvider_(std::move(d.workspaceConfigurationTargetProvider)),
      systemShortcutConflictDetector_(
          d.systemShortcutConflictDetector
              ? std::move(d.systemShortcutConflictDetector)
              : std::make_shared<MissionControlShortcutConflictDetector>()),
      editor_({store_, workspaceShortcutStore_, *systemShortcutConflictDetector_,
               d.systemShortcutConflictResolutionProvider
                   ? std::move(d.systemShortcutConflictResolutionProvider)
                   : KeyboardShortcutAlerts::showSystemShortcutConflictWarning,
               d.openURL ? std::move(d.openURL)
                         : [](const std::string& url) { Host::current().system().openURL(url); },
               [this] { return connectedDisplayIdentifiers(); },
               KeyboardShortcutAlerts::showShortcutConflictAlert}),
      self_(std::make_shared<KeyboardShortcutsViewController*>(this)),
      displayTargetPopup_(new SettingsPopUpButton),
      resetScopeButton_(smallPushButton("Reset Scope to Defaults")),
      openKeyboardShortcutsButton_(smallPushButton("Open Keyboard Shortcuts")),
      gridSwitchOnModifierReleaseSwitch_(new SettingsSwitch),
      hideOSDOnDirectJumpSwitch_(new SettingsSwitch),
      showOSDOnAllScreensSwitch_(new SettingsSwitch),
      osdKeybindsButton_(smallPushButton("Customize...")) {
    for (QWidget* control : std::initializer_list<QWidget*>{
             displayTargetPopup_, resetScopeButton_, openKeyboardShortcutsButton_,
             gridSwitchOnModifierReleaseSwitch_, hideOSDOnDirectJumpSwitch_,
             showOSDOnAllScreensSwitch_, osdKeybindsButton_}) {
        keepControl(control);
    }
}

KeyboardShortcutsViewController::~KeyboardShortcutsViewController() {
    // Callbacks of rows that die with the view find the page gone.
    self_.reset();
    screenParametersObserver_.reset();
    if (activationToken_ != 0) {
        Host::current().programActivation().removeObserver(activationToken_);
    }
    cancellables_.clear();
    delete workspaceConfigurationPanel_.data();
    delete osdKeybindsSheet_.data();
}

void KeyboardShortcutsViewController::viewDidLoad() {
    SettingsPageViewController::viewDidLoad();
    setupControls();
    bindStore();
    observeScreenParameters();
    observeHotkeyDelivery();
    observeActivation();
    refreshDisplayTargets();
    renderPage();
}

bool KeyboardShortcutsViewController::isInWindow() {
    return isViewLoaded() && view()->isVisible();
}

void KeyboardShortcutsViewController::setupControls() {
    configurePopupButton(*displayTargetPopup_);
    QObject::connect(displayTargetPopup_, &QComboBox::activated, displayTargetPopup_,
                     weakly([](auto& page, int index) { page.displayTargetChanged(index); }));
    QObject::connect(resetScopeButton_, &QPushButton::clicked, resetScopeButton_,
                     weakly([](auto& page, bool) { page.resetAllShortcuts(); }));
    QObject::connect(openKeyboardShortcutsButton_, &QPushButton::clicked,
                     openKeyboardShortcutsButton_,
                     weakly([](auto& page, bool) { page.openKeyboardShortcuts(); }));
    const std::pair<SettingsSwitch*, void (KeyboardShortcutsViewController::*)(bool)> switches[] = {
        {gridSwitchOnModifierReleaseSwitch_,
         &KeyboardShortcutsViewController::gridSwitchOnModifierReleaseChanged},
        {hideOSDOnDirectJumpSwitch_, &KeyboardShortcutsViewController::hideOSDOnDirectJumpChanged},
        {showOSDOnAllScreensSwitch_, &KeyboardShortcutsViewController::showOSDOnAllScreensChanged}};
    for (const auto& [control, handler] : switches) {
        configureSwitch(*control);
        QObject::connect(control, &SettingsSwitch::clicked, control,
                         weakly([handler](auto& page, bool on) { (page.*handler)(on); }));
    }
    QObject::connect(osdKeybindsButton_, &QPushButton::clicked, osdKeybindsButton_,
                     weakly([](auto& page, bool) { page.showOSDKeybindsPage(); }));
    if (!workspaceAddButton_) {
        workspaceAddButton_ = new SymbolImageButton("plus", "Add workspace");
        workspaceAddButton_->setToolTip("Add workspace");
        keepControl(workspaceAddButton_);
        QObject::connect(workspaceAddButton_, &SymbolImageButton::clicked, workspaceAddButton_,
                         weakly([](auto& page, bool) { page.addWorkspace(); }));
    }
}

void KeyboardShortcutsViewController::bindStore() {
    const auto render = weakly([](auto& page, const auto&) { page.renderPage(); });
    cancellables_.push_back(store_.revision.subscribe(render, true));
    cancellables_.push_back(gridModeStore_.settingsRevision.subscribe(render, true));
    cancellables_.push_back(gridModeStore_.isEnabled.subscribe(render, true));
    cancellables_.push_back(osdKeyBindingStore_.revision.subscribe(
        weakly([](auto& page, const auto&) { page.refreshOSDKeybindControls(); }), true));
    cancellables_.push_back(directSlotMetadataStore_.revision.subscribe(render, true));
    cancellables_.push_back(workspaceShortcutStore_.revision.subscribe(render, true));
}

void KeyboardShortcutsViewController::observeScreenParameters() {
    const auto refresh = weakly([](auto& page) {
        page.refreshDisplayTargets();
        page.renderPage();
    });
    screenParametersObserver_ = Host::current().notifications().addObserver(
        WorkspaceNotificationName::screenParametersDidChange,
        [refresh](const auto&) { MainQueue::main().async(refresh); });
}

void KeyboardShortcutsViewController::observeHotkeyDelivery() {
    // Drawn on a later turn; a recording in progress keeps its row, and its end draws anew.
    const auto render = weakly([](auto& page) {
        if (ShortcutRecorderControl::activeRecorder() == nullptr) {
            page.renderPage();
        }
    });
    hotkeyDeliveryObserver_ = Host::current().hotKeys().delivery().addObserver(
        [render] { MainQueue::main().async(render); });
}

// The system's shortcuts and Spaces are changed in System Settings, which the program leaves for;
// coming back, the page reads them anew (the clash card, the display targets). It is built again
// only when they changed, so the click that brought the program back (on a recorder, say) is not
// lost with the row it landed on.
void KeyboardShortcutsViewController::observeActivation() {
    const auto refresh = weakly([](auto& page) {
        if (page.systemState() != page.renderedSystemState_) {
            page.refreshDisplayTargets();
            page.renderPage();
        }
    });
    activationToken_ = Host::current().programActivation().addObserver([refresh](bool active) {
        if (active) {
            MainQueue::main().async(refresh);
        }
    });
}

KeyboardShortcutsViewController::SystemState KeyboardShortcutsViewController::systemState() {
    return {displaysHaveSeparateSpacesProvider_(), selectedScopeSystemShortcutConflicts()};
}

void KeyboardShortcutsViewController::refreshDisplayTargets() {
    targets_.refresh(displaysHaveSeparateSpacesProvider_(),
                     TessarinDisplayCatalog::connectedDisplays());
    showDisplayTargets(*displayTargetPopup_, targets_);
}

std::vector<std::string> KeyboardShortcutsViewController::connectedDisplayIdentifiers() const {
    std::vector<std::string> identifiers;
    if (!displaysHaveSeparateSpacesProvider_()) {
        return identifiers;
    }
    for (const TessarinDisplay& display : TessarinDisplayCatalog::connectedDisplays()) {
        identifiers.push_back(display.identifier);
    }
    return identifiers;
}

void KeyboardShortcutsViewController::displayTargetChanged(int index) {
    if (targets_.select(index)) {
        renderPage();
    }
}

void KeyboardShortcutsViewController::resetAllShortcuts() {
    editor_.resetScope(targets_.hotkeyScope());
}

void KeyboardShortcutsViewController::openKeyboardShortcuts() {
    editor_.openKeyboardShortcuts();
}

void KeyboardShortcutsViewController::gridSwitchOnModifierReleaseChanged(bool on) {
    // The switch says "switch while navigating": the stored setting is its
    // opposite.
    gridModeStore_.setSwitchOnModifierRelease(!on, targets_.settingsScope());
}

void KeyboardShortcutsViewController::hideOSDOnDirectJumpChanged(bool on) {
    gridModeStore_.setHideOSDOnDirectJump(on, targets_.settingsScope());
}

void KeyboardShortcutsViewController::showOSDOnAllScreensChanged(bool on) {
    if (on == gridModeStore_.globalShowOSDSpacePickerOnAllScreens) {
        return;
    }
    gridModeStore_.globalShowOSDSpacePickerOnAllScreens = on;
    Preferences& preferences = gridModeStore_.preferences();
    preferences.setAppValue(GridModeStore::showOSDSpacePickerOnAllScreensKey, on,
                            gridModeStore_.domain());
    preferences.appSynchronize(gridModeStore_.domain());
    gridModeStore_.settingsRevision.set(gridModeStore_.settingsRevision.value() + 1);
}

void KeyboardShortcutsViewController::addWorkspace() {
    workspaceShortcutStore_.addWorkspace();
    renderPage();
}

void KeyboardShortcutsViewController::handleRecordingResult(const HotkeyCombination& combination,
                                                            const HotkeyAction& action) {
    editor_.recordHotkey(combination, action);
}

void KeyboardShortcutsViewController::handleWorkspaceRecordingResult(
    const HotkeyCombination& combination, const Uuid& id) {
    editor_.recordWorkspaceShortcut(combination, id);
}

std::vector<ScopedSystemShortcutConflict>
KeyboardShortcutsViewController::selectedScopeSystemShortcutConflicts() {
    return scopeSystemShortcutConflicts(store_, scopeActions(targets_.hotkeyScope()),
                                        gridModeStore_.isEnabled.value(),
                                        *systemShortcutConflictDetector_);
}

std::optional<std::string> KeyboardShortcutsViewController::metadataDisplayIdentifier() const {
    return targets_.metadataDisplayIdentifier(activeMenuBarDisplayIdentifierProvider_());
}

void KeyboardShortcutsViewController::handleDirectSlotNameChange(
    const std::optional<std::string>& name, int slotIndex) {
    if (auto display = metadataDisplayIdentifier()) {
        directSlotMetadataStore_.setName(name, *display, slotIndex);
    }
}

void KeyboardShortcutsViewController::handleDirectSlotObscureToggle(bool obscured, int slotIndex) {
    if (auto display = metadataDisplayIdentifier()) {
        directSlotMetadataStore_.setObscured(obscured, *display, slotIndex);
    }
}

} // namespace tessarin
