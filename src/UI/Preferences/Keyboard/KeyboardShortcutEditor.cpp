#include "UI/Preferences/Keyboard/KeyboardShortcutEditor.h"

#include "Hotkeys/HotkeyStore.h"
#include "Hotkeys/SystemShortcutConflictDetecting.h"
#include "UI/Preferences/Keyboard/KeyboardShortcutConflicts.h"
#include "Workspaces/WorkspaceShortcutStore.h"

namespace tessarin {

KeyboardShortcutEditor::KeyboardShortcutEditor(Collaborators collaborators)
    : c_(std::move(collaborators)) {}

ShortcutEditOutcome KeyboardShortcutEditor::recordHotkey(const HotkeyCombination& combination,
                                                         const HotkeyAction& action) {
    if (refuseDuplicate(combination, action, std::nullopt)) {
        return ShortcutEditOutcome::refusedAsDuplicate;
    }
    const OverrideDecision decision =
        decideOverride(combination, action.shouldAlwaysOverrideMissionControlShortcut(combination));
    if (!decision.overrideFlag) {
        return decision.outcome;
    }
    c_.hotkeys.update(combination, action);
    c_.hotkeys.setEnabled(true, action);
    if (c_.hotkeys.setSystemShortcutOverrideEnabledWithoutRevision(*decision.overrideFlag,
                                                                   action)) {
        c_.hotkeys.revision.set(c_.hotkeys.revision.value() + 1);
    }
    return ShortcutEditOutcome::stored;
}

ShortcutEditOutcome
KeyboardShortcutEditor::recordWorkspaceShortcut(const HotkeyCombination& combination,
                                                const Uuid& workspace) {
    if (refuseDuplicate(combination, std::nullopt, workspace)) {
        return ShortcutEditOutcome::refusedAsDuplicate;
    }
    const OverrideDecision decision = decideOverride(combination, false);
    if (!decision.overrideFlag) {
        return decision.outcome;
    }
    c_.workspaces.setShortcut(combination, *decision.overrideFlag, workspace);
    return ShortcutEditOutcome::stored;
}

void KeyboardShortcutEditor::clear(const HotkeyAction& action) {
    c_.hotkeys.setEnabled(false, action);
}

ShortcutEditOutcome KeyboardShortcutEditor::reset(const HotkeyAction& action) {
    if (!action.scope.isCursorDisplay()) {
        c_.hotkeys.update(std::nullopt, action);
        c_.hotkeys.setEnabled(false, action);
        return ShortcutEditOutcome::stored;
    }
    const HotkeyCombination defaults = defaultCombination(action.identifier);
    if (refuseDuplicate(defaults, action, std::nullopt)) {
        return ShortcutEditOutcome::refusedAsDuplicate;
    }
    c_.hotkeys.update(defaults, action);
    c_.hotkeys.setEnabled(true, action);
    return ShortcutEditOutcome::stored;
}

ShortcutEditOutcome KeyboardShortcutEditor::resetScope(const HotkeyScope& scope) {
    if (scope.isCursorDisplay()) {
        if (refuseOwnedBy(cursorScopeDefaultsDuplicateOwner(c_.hotkeys, c_.workspaces,
                                                            connectedDisplays()))) {
            return ShortcutEditOutcome::refusedAsDuplicate;
        }
    }
    c_.hotkeys.resetToDefaults(scope);
    return ShortcutEditOutcome::stored;
}

void KeyboardShortcutEditor::openKeyboardShortcuts() const {
    if (c_.openURL) {
        c_.openURL(keyboardShortcutsURL);
    }
}

bool KeyboardShortcutEditor::refuseDuplicate(const HotkeyCombination& combination,
                                             const std::optional<HotkeyAction>& excludingAction,
                                             const std::optional<Uuid>& excludingWorkspace) {
    const ShortcutDuplicateQuery query{combination, excludingAction, excludingWorkspace,
                                       connectedDisplays()};
    return refuseOwnedBy(shortcutDuplicateOwner(c_.hotkeys, c_.workspaces, query));
}

bool KeyboardShortcutEditor::refuseOwnedBy(const std::optional<std::string>& owner) const {
    if (!owner) {
        return false;
    }
    if (c_.showDuplicate) {
        c_.showDuplicate(*owner);
    }
    return true;
}

std::vector<std::string> KeyboardShortcutEditor::connectedDisplays() const {
    return c_.connectedDisplayIdentifiers ? c_.connectedDisplayIdentifiers()
                                          : std::vector<std::string>{};
}

KeyboardShortcutEditor::OverrideDecision
KeyboardShortcutEditor::decideOverride(const HotkeyCombination& combination, bool alwaysOverride) {
    const std::vector<SystemKeyboardShortcutConflict> conflicts =
        c_.detector.conflicts(combination);
    if (conflicts.empty()) {
        return {alwaysOverride, ShortcutEditOutcome::stored};
    }
    const SystemShortcutConflictResolution answer =
        c_.resolve ? c_.resolve(combination, conflicts) : SystemShortcutConflictResolution::cancel;
    switch (answer) {
    case SystemShortcutConflictResolution::useAnyway:
        return {true, ShortcutEditOutcome::stored};
    case SystemShortcutConflictResolution::openKeyboardShortcuts:
        openKeyboardShortcuts();
        return {std::nullopt, ShortcutEditOutcome::openedKeyboardShortcuts};
    case SystemShortcutConflictResolution::cancel:
        break;
    }
    return {std::nullopt, ShortcutEditOutcome::cancelled};
}

} // namespace tessarin
