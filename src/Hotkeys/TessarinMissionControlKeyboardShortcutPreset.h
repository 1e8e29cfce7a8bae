#pragma once

#include "Hotkeys/HotkeyCombination.h"
#include "Hotkeys/HotkeyIdentifier.h"

#include <array>

namespace tessarin {

class HotkeyStore;
class SystemShortcutConflictDetecting;
class UserDefaults;

// The keyboard setup for people used to the system's own Mission Control keys: the picker on
// Control-Option-Command-Space and the four directions on Control and an arrow, taken over from
// the system. Offered once, and only while the system's shortcuts really sit on those keys.
class TessarinMissionControlKeyboardShortcutPreset {
public:
    TessarinMissionControlKeyboardShortcutPreset() = delete;

    static constexpr const char* appliedKey = "healthCheck.missionControlShortcutPresetApplied";

    struct Assignment {
        HotkeyIdentifier identifier;
        HotkeyCombination combination;
    };
    static std::array<Assignment, 5> assignments();

    // Applies the preset when it was never applied and every Control-arrow key is bound to its
    // system shortcut ("Move left a Space", "Move right a Space", "Mission Control",
    // "Application Windows"); then remembers that it did. True when it applied it now.
    static bool applyIfAvailableOnce(HotkeyStore& hotkeyStore,
                                     const SystemShortcutConflictDetecting& conflictDetector,
                                     UserDefaults& defaults);
};

} // namespace tessarin
