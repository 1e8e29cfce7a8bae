#pragma once

#include "Hotkeys/HotkeyAction.h"
#include "Hotkeys/HotkeyCombination.h"
#include "Hotkeys/HotkeyIdentifier.h"
#include "Support/Published.h"

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tessarin {

class UserDefaults;

// The user's global hotkeys: for every action its combination, whether it is on, and whether it
// may take its keys away from a system shortcut. The cursor-display actions are read at
// construction, a display's actions the first time that display is asked about; later changes
// made to the defaults by others are not seen. Every stored edit is written at once and raises
// `revision` by one.
class HotkeyStore {
public:
    // The directions, which may take their keys from the system's Mission Control shortcuts.
    static constexpr std::array<HotkeyIdentifier, 4> missionControlOverrideIdentifiers{
        HotkeyIdentifier::left, HotkeyIdentifier::right, HotkeyIdentifier::up,
        HotkeyIdentifier::down};

    explicit HotkeyStore(UserDefaults& defaults);
    HotkeyStore(const HotkeyStore&) = delete;
    HotkeyStore& operator=(const HotkeyStore&) = delete;

    // The app's store, over the current host's defaults (made on first use).
    static HotkeyStore& shared();

    Published<std::int64_t> revision{0};

    // All sixteen cursor-display combinations (stored, else default) and enabled flags.
    const std::map<HotkeyIdentifier, HotkeyCombination>& globalCombinations() const {
        return global_.combinations;
    }
    const std::map<HotkeyIdentifier, bool>& globalEnabledStates() const { return global_.enabled; }

    // Cursor display: the stored combination or the default, never nothing; a display: its own
    // stored combination or nothing (unbound).
    std::optional<HotkeyCombination> combination(const HotkeyAction& action);
    HotkeyCombination combination(HotkeyIdentifier identifier) const;
    // Cursor display: true unless turned off; a display: false unless turned on.
    bool isEnabled(const HotkeyAction& action);
    bool isSystemShortcutOverrideEnabled(const HotkeyAction& action);

    // Binds (or, on a display, unbinds with nothing) an action. A cursor-display action cannot
    // be unbound, only turned off or reset. A change clears the action's override flag.
    void update(const std::optional<HotkeyCombination>& combination, const HotkeyAction& action);
    // Turning an action off also clears its override flag.
    void setEnabled(bool enabled, const HotkeyAction& action);
    // True when the flag changed. Leaves `revision` alone: the caller announces it.
    bool setSystemShortcutOverrideEnabledWithoutRevision(bool enabled, const HotkeyAction& action);
    // Cursor display: every default back, on, no override. A display: every action unbound and
    // off, its combination keys removed.
    void resetToDefaults(const HotkeyScope& scope);

    // The first enabled action, other than `excluding`, bound to exactly this combination: the
    // cursor-display actions first, then those of each given display in the given order.
    std::optional<HotkeyAction> conflict(const HotkeyCombination& combination,
                                         const std::optional<HotkeyAction>& excluding,
                                         const std::vector<std::string>& displayIdentifiers);

    void applyMissionControlKeyboardShortcutPreset();
    bool isMissionControlKeyboardShortcutPresetApplied() const;

    void ensureDisplaySpecificScopeLoaded(const std::string& displayKey);

private:
    struct ScopeTables {
        std::map<HotkeyIdentifier, HotkeyCombination> combinations;
        std::map<HotkeyIdentifier, bool> enabled;
        std::map<HotkeyIdentifier, bool> systemShortcutOverrides;
    };

    ScopeTables& tables(const HotkeyScope& scope);
    std::optional<HotkeyCombination> storedCombination(const HotkeyAction& action) const;
    void writeCombination(const HotkeyAction& action, const HotkeyCombination& combination);
    bool countsForConflict(const HotkeyAction& candidate, const HotkeyCombination& combination);
    void raiseRevision();

    UserDefaults& defaults_;
    ScopeTables global_;
    std::map<std::string, ScopeTables> displays_;
};

} // namespace tessarin
