#pragma once

#include "Hotkeys/HotkeyCombination.h"
#include "Hotkeys/SystemKeyboardShortcutConflict.h"

#include <vector>

namespace tessarin {

// Finds the system's enabled keyboard shortcuts that use a combination's keys.
class SystemShortcutConflictDetecting {
public:
    virtual ~SystemShortcutConflictDetecting() = default;
    virtual std::vector<SystemKeyboardShortcutConflict>
    conflicts(const HotkeyCombination& combination) const = 0;
};

} // namespace tessarin
