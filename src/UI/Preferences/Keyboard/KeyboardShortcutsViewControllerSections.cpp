#include "Hotkeys/HotkeyStore.h"
#include "Model/Settings/GridModeStore.h"
#include "Model/Spaces/DirectSlotMetadataStore.h"
#include "UI/Preferences/Controls/HotkeyDeliveryWarning.h"
#include "UI/Preferences/Controls/ShortcutSettingControl.h"
#include "UI/Preferences/Controls/SymbolImageButton.h"
#include "UI/Preferences/Keyboard/DirectSlotColumnsHeaderRow.h"
#include "UI/Preferences/Keyboard/DirectSlotRowModel.h"
#include "UI/Preferences/Keyboard/DirectSlotSettingsRowView.h"
#include "UI/Preferences/Keyboard/KeyboardShortcutsViewController.h"
#include "UI/Preferences/Keyboard/KeyboardShortcutsViewIdentifier.h"
#include "UI/Preferences/Keyboard/ShortcutRowModel.h"
#include "UI/Preferences/Keyboard/WorkspaceExplanationRowView.h"
#include "UI/Preferences/Keyboard/WorkspaceShortcutRowView.h"
#include "UI/Preferences/Kit/SettingsCenteredControlRowView.h"
#include "UI/Preferences/Kit/SettingsPopUpButton.h"
#include "UI/Preferences/Kit/SettingsRowView.h"
#include "UI/Preferences/Kit/SettingsSectionView.h"
#include "UI/Preferences/Kit/SettingsSwitch.h"
#include "Workspaces/WorkspaceShortcutStore.h"

#include <QPushButton>

namespace tessarin {

namespace Id = KeyboardShortcutsViewIdentifier;

namespace {

SettingsRowView* controlRow(const char* title, const char* detail, QWidget* control,
                            const char* controlIdentifier) {
    return new SettingsRowView(title, QString(detail), control, std::nullopt,
                               QString(controlIdentifier));
}

} // namespace

void KeyboardShortcutsViewController::renderPage() {
    const std::optional<std::string> display = targets_.selected().displayIdentifier();
    gridSwitchOnModifierReleaseSwitch_->setOn(!gridModeStore_.switchOnModifierRelease(display));
    hideOSDOnDirectJumpSwitch_->setOn(gridModeStore_.hideOSDOnDirectJump(display));
    showOSDOnAllScreensSwitch_->setOn(gridModeStore_.globalShowOSDSpacePickerOnAllScreens);

    installPageMadeBy([this] {
        std::vector<QWidget*> sections{makeScopeSection()};
        if (targets_.isCursorScope()) {
            sections.push_back(makeOSDSection());
        }
        sections.push_back(makeDirectionalSection());
        sections.push_back(makeDirectSection());
        sections.push_back(makeWorkspacesSection());
        return sections;
    });
    displayTargetPopup_->setEnabled(targets_.isChoosable());
    renderedSystemState_ = systemState();
}

QWidget* KeyboardShortcutsViewController::makeScopeSection() {
    std::vector<QWidget*> rows{
        controlRow("Target",
                   "Choose whether shortcuts target the cursor display or one "
                   "connected display.",
                   displayTargetPopup_, Id::displayTargetControl),
        controlRow("Shortcuts",
                   "Restore the selected target's shortcut bindings to their defaults.",
                   resetScopeButton_, Id::resetScopeControl)};
    const auto conflicts = selectedScopeSystemShortcutConflicts();
    if (!conflicts.empty()) {
        rows.push_back(
            new SettingsRowView("macOS shortcut conflict",
                                QString::fromStdString(systemShortcutConflictDetail(conflicts)),
                                openKeyboardShortcutsButton_, std::nullopt,
                                QString(Id::systemShortcutConflictOpenControl),
                                QString(Id::systemShortcutConflictDetail)));
    }
    return new SettingsSectionView("Scope", Id::scopeSectionTitle, rows);
}

QWidget* KeyboardShortcutsViewController::makeOSDSection() {
    return new SettingsSectionView(
        "OSD", Id::osdSectionTitle,
        {makeShortcutRow(HotkeyIdentifier::showOSD),
         controlRow("Show on all screens",
                    "When enabled, the osd for each screen is displayed, not "
                    "just the cursor "
                    "display",
                    showOSDOnAllScreensSwitch_, Id::showOSDOnAllScreensControl),
         controlRow("OSD Keybinds",
                    "Customize the keys used while the OSD space picker is focused.",
                    osdKeybindsButton_, Id::osdKeybindsControl)});
}

QWidget* KeyboardShortcutsViewController::makeDirectionalSection() {
    std::vector<QWidget*> rows;
    for (HotkeyIdentifier identifier : {HotkeyIdentifier::left, HotkeyIdentifier::right,
                                        HotkeyIdentifier::up, HotkeyIdentifier::down}) {
        rows.push_back(makeShortcutRow(identifier));
    }
    rows.push_back(controlRow("Switch spaces while navigating",
                              "When enabled, each navigation hotkey switches "
                              "immediately while modifiers are held. "
                              "Leave off to preview moves in the grid and switch "
                              "once on modifier release.",
                              gridSwitchOnModifierReleaseSwitch_,
                              Id::gridSwitchOnModifierReleaseControl));
    return new SettingsSectionView("Directional", Id::directionalSectionTitle, rows);
}

QWidget* KeyboardShortcutsViewController::makeDirectSection() {
    std::vector<QWidget*> rows{
        new DirectSlotColumnsHeaderRow(std::string(Id::directColumnsHeader))};
    for (HotkeyIdentifier identifier : kDisplaySpecificHotkeyIdentifiers) {
        if (directSlotIndex(identifier)) {
            rows.push_back(makeDirectSlotRow(identifier));
        }
    }
    if (targets_.isCursorScope()) {
        rows.push_back(makeShortcutRow(HotkeyIdentifier::lastSpace));
    }
    rows.push_back(controlRow("Hide OSD when jumping direct",
                              "When enabled, direct space jumps switch "
                              "immediately without showing the grid OSD.",
                              hideOSDOnDirectJumpSwitch_, Id::hideOSDOnDirectJumpControl));
    return new SettingsSectionView("Direct", Id::directSectionTitle, rows);
}

QWidget* KeyboardShortcutsViewController::makeWorkspacesSection() {
    std::vector<QWidget*> rows{new WorkspaceExplanationRowView(
        "Workspaces allow you to move multiple screen spaces at once.",
        Id::workspaceExplanationLabel)};
    for (const WorkspaceShortcut& workspace : workspaceShortcutStore_.cachedWorkspaces()) {
        rows.push_back(makeWorkspaceRow(workspace));
    }
    rows.push_back(
        new SettingsCenteredControlRowView(workspaceAddButton_, QString(Id::workspaceAddControl)));
    return new SettingsSectionView("Workspaces", Id::workspacesSectionTitle, rows);
}

QWidget* KeyboardShortcutsViewController::makeShortcutRow(HotkeyIdentifier identifier) {
    const ShortcutRowModel model = ShortcutRowModel::make(store_, targets_.action(identifier),
                                                          gridModeStore_.isEnabled.value());
    const HotkeyAction action = model.action;
    auto* control = new ShortcutSettingControl(
        identifier, model.combination, model.isShortcutEnabled, model.isAvailable,
        weakly([action](auto& page, const HotkeyCombination& combination) {
            page.handleRecordingResult(combination, action);
        }),
        weakly([action](auto& page) {
            page.editor_.clear(action);
            page.renderPage();
        }),
        weakly([action](auto& page) { page.editor_.reset(action); }));
    std::optional<QString> warning;
    if (model.deliveryWarning) {
        warning = QString::fromStdString(*model.deliveryWarning);
    }
    auto* row =
        new SettingsRowView(QString::fromStdString(model.title), warning, control, std::nullopt,
                            std::nullopt, hotkeyDeliveryWarningIdentifier(identifier));
    row->applyEnabledState(model.isAvailable);
    return row;
}

QWidget* KeyboardShortcutsViewController::makeDirectSlotRow(HotkeyIdentifier identifier) {
    const DirectSlotRowModel model = DirectSlotRowModel::make(
        store_, directSlotMetadataStore_, targets_.action(identifier), metadataDisplayIdentifier());
    const HotkeyAction action = model.action;
    const int slot = model.slotIndex;
    DirectSlotRowCallbacks callbacks{
        weakly([slot](auto& page, const std::optional<std::string>& name) {
            page.handleDirectSlotNameChange(name, slot);
        }),
        weakly([slot](auto& page, bool obscured) {
            page.handleDirectSlotObscureToggle(obscured, slot);
        }),
        weakly([action](auto& page, const HotkeyCombination& combination) {
            page.handleRecordingResult(combination, action);
        }),
        weakly([action](auto& page) {
            page.editor_.clear(action);
            page.renderPage();
        }),
        weakly([action](auto& page) { page.editor_.reset(action); })};
    auto* row = new DirectSlotSettingsRowView(model, std::move(callbacks));
    row->applyEnabledState(true);
    return row;
}

QWidget* KeyboardShortcutsViewController::makeWorkspaceRow(const WorkspaceShortcut& workspace) {
    const Uuid id = workspace.id;
    WorkspaceRowCallbacks callbacks{
        weakly([id](auto& page, const std::optional<std::string>& name) {
            page.workspaceShortcutStore_.setName(name, id);
        }),
        weakly([workspace](auto& page) { page.showWorkspaceConfiguration(workspace); }),
        weakly([id](auto& page, const HotkeyCombination& combination) {
            page.handleWorkspaceRecordingResult(combination, id);
        }),
        weakly([id](auto& page) {
            if (page.workspaceShortcutStore_.removeWorkspace(id)) {
                page.renderPage();
            }
        })};
    return new WorkspaceShortcutRowView(workspace, std::move(callbacks));
}

} // namespace tessarin
