#pragma once

#include "Hotkeys/HotkeyCombination.h"
#include "Hotkeys/SystemKeyboardShortcutConflict.h"

#include <string>
#include <vector>

namespace tessarin {

// The user's answer to a recorded shortcut that the system uses for Mission Control.
enum class SystemShortcutConflictResolution { useAnyway, openKeyboardShortcuts, cancel };

// Beeps and tells that another binding (named) already has the shortcut.
void showShortcutAlreadyInUseAlert(const std::string& conflictingName);
// Asks whether to use a shortcut that a system shortcut already has.
SystemShortcutConflictResolution
showSystemShortcutConflictWarning(const HotkeyCombination& combination,
                                  const std::vector<SystemKeyboardShortcutConflict>& conflicts);

} // namespace tessarin
