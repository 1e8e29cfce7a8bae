#include "UI/Preferences/Keyboard/KeyboardShortcutConflicts.h"

#include "Hotkeys/HotkeyStore.h"
#include "Hotkeys/SystemShortcutConflictDetecting.h"
#include "Workspaces/WorkspaceShortcutStore.h"

namespace tessarin {

namespace {

constexpr std::size_t shownConflictCount = 3;

bool isGridOnly(HotkeyIdentifier identifier) {
    return identifier == HotkeyIdentifier::showOSD || identifier == HotkeyIdentifier::up ||
           identifier == HotkeyIdentifier::down;
}

} // namespace

std::optional<std::string> shortcutDuplicateOwner(HotkeyStore& hotkeys,
                                                  const WorkspaceShortcutStore& workspaces,
                                                  const ShortcutDuplicateQuery& query) {
    if (auto action =
            hotkeys.conflict(query.combination, query.excludingAction, query.displayIdentifiers)) {
        return action->displayName();
    }
    if (auto workspace = workspaces.conflict(query.combination, query.excludingWorkspace)) {
        return workspace->name;
    }
    return std::nullopt;
}

std::optional<std::string>
cursorScopeDefaultsDuplicateOwner(HotkeyStore& hotkeys, const WorkspaceShortcutStore& workspaces,
                                  const std::vector<std::string>& displayIdentifiers) {
    for (HotkeyIdentifier identifier : kAllHotkeyIdentifiers) {
        const HotkeyCombination keys = defaultCombination(identifier);
        for (const std::string& display : displayIdentifiers) {
            for (HotkeyIdentifier displayIdentifier : kDisplaySpecificHotkeyIdentifiers) {
                const auto action = HotkeyAction::onDisplay(displayIdentifier, display);
                if (hotkeys.isEnabled(action) && hotkeys.combination(action) == keys) {
                    return action.displayName();
                }
            }
        }
        if (auto workspace = workspaces.conflict(keys, std::nullopt)) {
            return workspace->name;
        }
    }
    return std::nullopt;
}

std::vector<ScopedSystemShortcutConflict>
scopeSystemShortcutConflicts(HotkeyStore& hotkeys, const std::vector<HotkeyAction>& actions,
                             bool gridModeEnabled,
                             const SystemShortcutConflictDetecting& detector) {
    std::vector<ScopedSystemShortcutConflict> entries;
    for (const HotkeyAction& action : actions) {
        if (!gridModeEnabled && isGridOnly(action.identifier)) {
            continue;
        }
        if (!hotkeys.isEnabled(action)) {
            continue;
        }
        const std::optional<HotkeyCombination> combination = hotkeys.combination(action);
        if (!combination) {
            continue;
        }
        for (const SystemKeyboardShortcutConflict& conflict : detector.conflicts(*combination)) {
            entries.push_back({action, conflict});
        }
    }
    return entries;
}

std::string systemShortcutConflictDetail(const std::vector<ScopedSystemShortcutConflict>& entries) {
    std::string text;
    for (std::size_t i = 0; i < entries.size() && i < shownConflictCount; ++i) {
        if (i > 0) {
            text += "; ";
        }
        text += entries[i].action.displayName() + " matches " + entries[i].conflict.displayName;
    }
    if (entries.size() > shownConflictCount) {
        text += " and " + std::to_string(entries.size() - shownConflictCount) + " more";
    }
    return text + ". Disable or remap the matching shortcut in System Settings > Keyboard > "
                  "Keyboard Shortcuts > Mission Control.";
}

} // namespace tessarin
