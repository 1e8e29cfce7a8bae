#pragma once

#include "Hotkeys/HotkeyCombination.h"
#include "Hotkeys/OSDKeyBindingAction.h"
#include "Hotkeys/OSDKeyBindingStoreError.h"
#include "Hotkeys/SystemKeyboardShortcutConflict.h"
#include "Platform/SystemAlert.h"
#include "UI/Preferences/Keyboard/SystemShortcutConflictResolution.h"

#include <string>
#include <vector>

namespace tessarin {

// The texts of the Keyboard page's alerts, and running them on the host.
namespace KeyboardShortcutAlerts {

SystemAlert duplicateShortcut(const std::string& ownerName);
SystemAlert systemShortcutConflict(const HotkeyCombination& combination,
                                   const std::vector<SystemKeyboardShortcutConflict>& conflicts);
SystemAlert osdKeyBindingError(const OSDKeyBindingStoreError& error,
                               OSDKeyBindingAction recordedAction);

// Beeps, then tells that the shortcut already belongs to `ownerName`.
void showShortcutConflictAlert(const std::string& ownerName);
// Asks whether to take the keys from the system anyway; no beep.
SystemShortcutConflictResolution
showSystemShortcutConflictWarning(const HotkeyCombination& combination,
                                  const std::vector<SystemKeyboardShortcutConflict>& conflicts);
void showOSDKeyBindingError(const OSDKeyBindingStoreError& error, OSDKeyBindingAction action);

} // namespace KeyboardShortcutAlerts

// The title of a grid key's row, also used in its error texts.
std::string osdKeyBindingTitle(OSDKeyBindingAction action);

} // namespace tessarin
