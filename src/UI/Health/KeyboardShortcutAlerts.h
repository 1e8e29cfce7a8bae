#pragma once

#include "Hotkeys/HotkeyCombination.h"
#include "Hotkeys/SystemKeyboardShortcutConflict.h"
#include "UI/Preferences/Keyboard/SystemShortcutConflictResolution.h"

#include <string>
#include <vector>

namespace tessarin {

// Beeps and tells that another binding (named) already has the shortcut.
void showShortcutAlreadyInUseAlert(const std::string& conflictingName);
// Asks whether to use a shortcut that a system shortcut already has.
SystemShortcutConflictResolution
showSystemShortcutConflictWarning(const HotkeyCombination& combination,
                                  const std::vector<SystemKeyboardShortcutConflict>& conflicts);

} // namespace tessarin
