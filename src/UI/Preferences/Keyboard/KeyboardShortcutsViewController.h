#pragma once

#include "Hotkeys/HotkeyAction.h"
#include "Hotkeys/OSDKeyBinding.h"
#include "Hotkeys/SystemShortcutConflictDetecting.h"
#include "Platform/WorkspaceNotificationCenter.h"
#include "Support/Published.h"
#include "UI/Preferences/Keyboard/KeyboardShortcutConflicts.h"
#include "UI/Preferences/Keyboard/KeyboardShortcutEditor.h"
#include "UI/Preferences/Keyboard/KeyboardShortcutTargets.h"
#include "UI/Preferences/Kit/SettingsPageViewController.h"
#include "Workspaces/WorkspaceConfigurationTarget.h"
#include "Workspaces/WorkspaceShortcut.h"

#include <QDialog>
#include <QPointer>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QPushButton;
class QWidget;

namespace tessarin {

class DirectSlotMetadataStore;
class GridModeStore;
class HotkeyStore;
class OSDKeyBindingRecorderControl;
class OSDKeyBindingStore;
class SettingsPopUpButton;
class SettingsSwitch;
class SymbolImageButton;
class WorkspaceShortcutStore;

// What the Keyboard page reads and writes. Empty members take the current
// host's shared stores and the live answers.
struct KeyboardShortcutsDependencies {
    HotkeyStore* store = nullptr;
    GridModeStore* gridModeStore = nullptr;
    OSDKeyBindingStore* osdKeyBindingStore = nullptr;
    DirectSlotMetadataStore* directSlotMetadataStore = nullptr;
    WorkspaceShortcutStore* workspaceShortcutStore = nullptr;
    std::function<bool()> displaysHaveSeparateSpacesProvider;
    std::function<std::optional<std::string>()> activeMenuBarDisplayIdentifierProvider;
    // Replaces the live targets of the workspace configuration sheet when given.
    std::function<std::vector<WorkspaceConfigurationTarget>()> workspaceConfigurationTargetProvider;
    std::shared_ptr<SystemShortcutConflictDetecting> systemShortcutConflictDetector;
    KeyboardShortcutEditor::ResolutionProvider systemShortcutConflictResolutionProvider;
    std::function<void(const std::string&)> openURL;
};

// The Keyboard page: hotkeys for the cursor's display or one display, three
// grid and OSD switches, the keys used inside the OSD, the ten direct slots and
// the workspace shortcuts. Its own controls (target pop-up, buttons, switches)
// live as long as the page and move into the rows that every rendering builds
// anew.
class KeyboardShortcutsViewController final : public SettingsPageViewController {
public:
    explicit KeyboardShortcutsViewController(KeyboardShortcutsDependencies dependencies = {});
    ~KeyboardShortcutsViewController() override;

    void renderPage();
    void refreshDisplayTargets();
    void refreshOSDKeybindControls();
    // The displays whose own hotkeys exist: none while displays share their
    // Spaces.
    std::vector<std::string> connectedDisplayIdentifiers() const;
    const KeyboardShortcutTargets& targets() const { return targets_; }

    // ---------------------------------------------------------------- Page
    // actions
    void displayTargetChanged(int index);
    void resetAllShortcuts();
    void openKeyboardShortcuts();
    void gridSwitchOnModifierReleaseChanged(bool on);
    void hideOSDOnDirectJumpChanged(bool on);
    void showOSDOnAllScreensChanged(bool on);
    void addWorkspace();

    // ---------------------------------------------------------------- Recording
    // results
    void handleRecordingResult(const HotkeyCombination& combination, const HotkeyAction& action);
    void handleWorkspaceRecordingResult(const HotkeyCombination& combination, const Uuid& id);
    std::vector<ScopedSystemShortcutConflict> selectedScopeSystemShortcutConflicts();

    // ---------------------------------------------------------------- Direct
    // slots The display whose slot names the page edits; nothing when they cannot
    // be edited.
    std::optional<std::string> metadataDisplayIdentifier() const;
    void handleDirectSlotNameChange(const std::optional<std::string>& name, int slotIndex);
    void handleDirectSlotObscureToggle(bool obscured, int slotIndex);

    // ---------------------------------------------------------------- OSD key
    // bindings sheet
    void showOSDKeybindsPage();
    void resetOSDKeybindsToDefaults();
    void closeOSDKeybindsSheet();
    QWidget* osdKeybindsSheet() const { return osdKeybindsSheet_; }
    // What a row's recorder reports: refused keys beep and are explained over the old key.
    void recordOSDKeyBinding(const OSDKeyBinding& binding, OSDKeyBindingAction action);

    // ---------------------------------------------------------------- Workspace
    // sheet
    void showWorkspaceConfiguration(const WorkspaceShortcut& workspace);
    void dismissWorkspaceConfiguration();
    QDialog* workspaceConfigurationPanel() const { return workspaceConfigurationPanel_; }

protected:
    void viewDidLoad() override;

private:
    // Runs `body` on the page while it exists; callbacks of rows and sheets hold the page
    // only this weakly.
    template <class Body> auto weakly(Body body) const {
        return [page = std::weak_ptr<KeyboardShortcutsViewController*>(self_),
                body](auto&&... arguments) {
            if (auto alive = page.lock()) {
                body(**alive, arguments...);
            }
        };
    }
    bool isInWindow();
    void setupControls();
    void bindStore();
    void observeScreenParameters();
    void observeHotkeyDelivery();
    void observeActivation();
    // What the page shows of the system: whether displays have Spaces of their own, and the
    // clashes with its shortcuts.
    struct SystemState {
        bool separateSpaces = false;
        std::vector<ScopedSystemShortcutConflict> conflicts;
        friend bool operator==(const SystemState&, const SystemState&) = default;
    };
    SystemState systemState();
    // Takes the page's own controls out of the rows about to be replaced.

    QWidget* makeScopeSection();
    QWidget* makeOSDSection();
    QWidget* makeDirectionalSection();
    QWidget* makeDirectSection();
    QWidget* makeWorkspacesSection();
    QWidget* makeShortcutRow(HotkeyIdentifier identifier);
    QWidget* makeDirectSlotRow(HotkeyIdentifier identifier);
    QWidget* makeWorkspaceRow(const WorkspaceShortcut& workspace);

    QWidget* makeOSDKeybindsSheet();
    QWidget* makeOSDKeybindRow(OSDKeyBindingAction action);
    std::vector<WorkspaceConfigurationTarget> workspaceConfigurationTargets() const;

    HotkeyStore& store_;
    GridModeStore& gridModeStore_;
    OSDKeyBindingStore& osdKeyBindingStore_;
    DirectSlotMetadataStore& directSlotMetadataStore_;
    WorkspaceShortcutStore& workspaceShortcutStore_;
    std::function<bool()> displaysHaveSeparateSpacesProvider_;
    std::function<std::optional<std::string>()> activeMenuBarDisplayIdentifierProvider_;
    std::function<std::vector<WorkspaceConfigurationTarget>()>
        workspaceConfigurationTargetProvider_;
    std::shared_ptr<SystemShortcutConflictDetecting> systemShortcutConflictDetector_;
    KeyboardShortcutEditor editor_;

    std::vector<Subscription> cancellables_;
    std::optional<WorkspaceNotificationCenter::Token> screenParametersObserver_;
    std::shared_ptr<void> hotkeyDeliveryObserver_;
    int activationToken_ = 0;
    SystemState renderedSystemState_;
    KeyboardShortcutTargets targets_;

    std::shared_ptr<KeyboardShortcutsViewController*> self_;
    SettingsPopUpButton* displayTargetPopup_;
    QPushButton* resetScopeButton_;
    QPushButton* openKeyboardShortcutsButton_;
    SettingsSwitch* gridSwitchOnModifierReleaseSwitch_;
    SettingsSwitch* hideOSDOnDirectJumpSwitch_;
    SettingsSwitch* showOSDOnAllScreensSwitch_;
    QPushButton* osdKeybindsButton_;
    SymbolImageButton* workspaceAddButton_ = nullptr;

    QPointer<QWidget> osdKeybindsSheet_;
    std::map<OSDKeyBindingAction, OSDKeyBindingRecorderControl*> osdKeybindControls_;
    QPointer<QDialog> workspaceConfigurationPanel_;
};

} // namespace tessarin
