#pragma once

#include "Hotkeys/HotkeyAction.h"
#include "Hotkeys/HotkeyCombination.h"
#include "Hotkeys/SystemKeyboardShortcutConflict.h"
#include "Support/Uuid.h"

#include <optional>
#include <string>
#include <vector>

namespace tessarin {

class HotkeyStore;
class SystemShortcutConflictDetecting;
class WorkspaceShortcutStore;

// What a combination about to be stored would collide with. One key may drive only one thing:
// an enabled hotkey of any existing scope, or a workspace.
struct ShortcutDuplicateQuery {
    HotkeyCombination combination;
    std::optional<HotkeyAction> excludingAction;
    std::optional<Uuid> excludingWorkspace;
    // The displays whose own hotkeys exist (none while displays share their Spaces).
    std::vector<std::string> displayIdentifiers;
};

// The name of the hotkey or workspace that already uses the combination, hotkeys first.
std::optional<std::string> shortcutDuplicateOwner(HotkeyStore& hotkeys,
                                                  const WorkspaceShortcutStore& workspaces,
                                                  const ShortcutDuplicateQuery& query);

// The name of the display hotkey or workspace that holds one of the cursor scope's default
// combinations. The scope's own actions all take their defaults back together, so they never
// count.
std::optional<std::string>
cursorScopeDefaultsDuplicateOwner(HotkeyStore& hotkeys, const WorkspaceShortcutStore& workspaces,
                                  const std::vector<std::string>& displayIdentifiers);

// A hotkey of the page's scope that uses the keys of a system shortcut.
struct ScopedSystemShortcutConflict {
    HotkeyAction action;
    SystemKeyboardShortcutConflict conflict;
    friend bool operator==(const ScopedSystemShortcutConflict&,
                           const ScopedSystemShortcutConflict&) = default;
};

// The clashes of the given actions' effective bindings, by action then in the detector's
// order. Disabled or unbound actions never clash; while grid mode is off neither do the
// picker and the vertical moves, which are not registered then.
std::vector<ScopedSystemShortcutConflict>
scopeSystemShortcutConflicts(HotkeyStore& hotkeys, const std::vector<HotkeyAction>& actions,
                             bool gridModeEnabled, const SystemShortcutConflictDetecting& detector);

// At most three clashes by name, a count of the rest, and what to do about them.
std::string systemShortcutConflictDetail(const std::vector<ScopedSystemShortcutConflict>& entries);

} // namespace tessarin
