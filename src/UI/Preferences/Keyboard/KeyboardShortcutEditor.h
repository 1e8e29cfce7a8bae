#pragma once

#include "Hotkeys/HotkeyAction.h"
#include "Hotkeys/HotkeyCombination.h"
#include "Hotkeys/SystemKeyboardShortcutConflict.h"
#include "Support/Uuid.h"
#include "UI/Preferences/Keyboard/SystemShortcutConflictResolution.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tessarin {

class HotkeyStore;
class SystemShortcutConflictDetecting;
class WorkspaceShortcutStore;

// How an attempt to bind keys ended. Every check and question comes before any write, so only
// `stored` changed a store.
enum class ShortcutEditOutcome { stored, refusedAsDuplicate, cancelled, openedKeyboardShortcuts };

// The Keyboard page's writes of hotkeys and workspace shortcuts, with the checks that keep one
// key on one thing and the question about system shortcuts. No widgets.
class KeyboardShortcutEditor {
public:
    static constexpr const char* keyboardShortcutsURL =
        "x-apple.systempreferences:com.apple.Keyboard-Settings.extension?KeyboardShortcuts";

    using ResolutionProvider = std::function<SystemShortcutConflictResolution(
        const HotkeyCombination&, const std::vector<SystemKeyboardShortcutConflict>&)>;

    struct Collaborators {
        HotkeyStore& hotkeys;
        WorkspaceShortcutStore& workspaces;
        const SystemShortcutConflictDetecting& detector;
        ResolutionProvider resolve;
        std::function<void(const std::string&)> openURL;
        // The displays whose own hotkeys exist right now.
        std::function<std::vector<std::string>()> connectedDisplayIdentifiers;
        // Beeps and tells whose the keys are.
        std::function<void(const std::string&)> showDuplicate;
    };

    explicit KeyboardShortcutEditor(Collaborators collaborators);

    ShortcutEditOutcome recordHotkey(const HotkeyCombination& combination,
                                     const HotkeyAction& action);
    ShortcutEditOutcome recordWorkspaceShortcut(const HotkeyCombination& combination,
                                                const Uuid& workspace);
    // Turns the action off; its keys stay stored.
    void clear(const HotkeyAction& action);
    // A display's action loses its keys and is turned off. A cursor-display action gets its
    // default keys back and is turned on, unless those keys now belong to something else.
    ShortcutEditOutcome reset(const HotkeyAction& action);
    // Every action of the scope back to its defaults (a display's: unbound and off), unless a
    // default combination of the cursor scope now belongs to something else.
    ShortcutEditOutcome resetScope(const HotkeyScope& scope);
    void openKeyboardShortcuts() const;

private:
    bool refuseDuplicate(const HotkeyCombination& combination,
                         const std::optional<HotkeyAction>& excludingAction,
                         const std::optional<Uuid>& excludingWorkspace);
    // Beeps and names the owner when there is one.
    bool refuseOwnedBy(const std::optional<std::string>& owner) const;
    std::vector<std::string> connectedDisplays() const;
    // The override flag to store, or the outcome that ends the attempt.
    struct OverrideDecision {
        std::optional<bool> overrideFlag;
        ShortcutEditOutcome outcome = ShortcutEditOutcome::stored;
    };
    OverrideDecision decideOverride(const HotkeyCombination& combination, bool alwaysOverride);

    Collaborators c_;
};

} // namespace tessarin
