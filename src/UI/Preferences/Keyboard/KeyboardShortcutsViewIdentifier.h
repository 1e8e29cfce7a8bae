#pragma once

#include "Hotkeys/HotkeyIdentifier.h"
#include "Hotkeys/OSDKeyBindingAction.h"
#include "Support/Uuid.h"
#include "Workspaces/WorkspaceTargetKey.h"

#include <string>

namespace tessarin {

// The object names of the Keyboard page's views, by which tests and accessibility find them.
namespace KeyboardShortcutsViewIdentifier {

inline constexpr const char* osdSectionTitle = "keyboard.section.osd.title";
inline constexpr const char* scopeSectionTitle = "keyboard.section.scope.title";
inline constexpr const char* directionalSectionTitle = "keyboard.section.directional.title";
inline constexpr const char* directSectionTitle = "keyboard.section.direct.title";
inline constexpr const char* workspacesSectionTitle = "keyboard.section.workspaces.title";
inline constexpr const char* displayTargetControl = "keyboard.control.display.target";
inline constexpr const char* resetScopeControl = "keyboard.control.resetScope";
inline constexpr const char* systemShortcutConflictDetail =
    "keyboard.detail.systemShortcutConflict";
inline constexpr const char* systemShortcutConflictOpenControl =
    "keyboard.control.systemShortcutConflict.open";
inline constexpr const char* gridSwitchOnModifierReleaseControl =
    "keyboard.control.grid.switchOnModifierRelease";
inline constexpr const char* hideOSDOnDirectJumpControl = "keyboard.control.osd.hideOnDirectJump";
inline constexpr const char* showOSDOnAllScreensControl = "keyboard.control.osd.showOnAllScreens";
inline constexpr const char* osdKeybindsControl = "keyboard.control.osd.keybinds";
inline constexpr const char* osdKeybindsControlsSectionTitle =
    "keyboard.section.osd.keybinds.controls";
inline constexpr const char* osdKeybindsResetDefaultsControl =
    "keyboard.control.osd.keybinds.resetDefaults";
inline constexpr const char* osdKeybindsDoneControl = "keyboard.control.osd.keybinds.done";
inline constexpr const char* directColumnsHeader = "keyboard.header.direct.columns";
inline constexpr const char* workspaceAddControl = "keyboard.control.workspace.add";
inline constexpr const char* workspaceExplanationLabel = "keyboard.label.workspace.explanation";
inline constexpr const char* workspaceConfigureDoneControl =
    "keyboard.control.workspace.configure.done";
inline constexpr const char* workspaceConfigureCancelControl =
    "keyboard.control.workspace.configure.cancel";

// "keyboard.control.shortcut.<slot>.<part>", part "recorder", "clear" or "reset".
std::string shortcutControl(HotkeyIdentifier identifier, const char* part);
// "keyboard.control.directSlot.<slot>.<part>", part "name" or "obscure".
std::string directSlotControl(HotkeyIdentifier identifier, const char* part);
// "keyboard.control.osd.keybind.<action>.recorder".
std::string osdKeybindRecorder(OSDKeyBindingAction action);
// "keyboard.control.workspace.<UUID>.<part>", part "name", "configure", "recorder", "delete".
std::string workspaceControl(const Uuid& workspace, const char* part);
// "keyboard.control.workspace.configure." and "display.<identifier>" or "sharedSpaces".
std::string workspaceConfigurationTargetControl(const WorkspaceTargetKey& key);

} // namespace KeyboardShortcutsViewIdentifier

} // namespace tessarin
