#include "UI/Health/KeyboardShortcutAlerts.h"

#include "Platform/Host.h"
#include "Platform/SystemAlert.h"
#include "Platform/SystemServices.h"

namespace tessarin {

void showShortcutAlreadyInUseAlert(const std::string& conflictingName) {
    SystemServices& system = Host::current().system();
    system.beep();
    system.runModalAlert(
        SystemAlert{"Shortcut already in use",
                    "This shortcut is already assigned to " + conflictingName + ".",
                    {"OK"},
                    AlertStyle::warning});
}

SystemShortcutConflictResolution
showSystemShortcutConflictWarning(const HotkeyCombination& combination,
                                  const std::vector<SystemKeyboardShortcutConflict>& conflicts) {
    std::string names;
    for (const SystemKeyboardShortcutConflict& conflict : conflicts) {
        names += (names.empty() ? "" : ", ") + conflict.displayName;
    }
    const std::string text =
        HotkeyCombination::symbols(combination.modifiers) + combination.displayKey +
        " is currently assigned to " + names +
        ". Disable or remap that shortcut in System Settings > Keyboard > Keyboard Shortcuts > "
        "Mission Control, choose another Tessarin shortcut, or use it anyway.";
    const int answer = Host::current().system().runModalAlert(
        SystemAlert{"Shortcut conflicts with macOS Mission Control",
                    text,
                    {"Use Anyway", "Open Keyboard Shortcuts", "Cancel"},
                    AlertStyle::warning});
    switch (answer) {
    case AlertResponse::firstButton:
        return SystemShortcutConflictResolution::useAnyway;
    case AlertResponse::secondButton:
        return SystemShortcutConflictResolution::openKeyboardShortcuts;
    default:
        return SystemShortcutConflictResolution::cancel;
    }
}

} // namespace tessarin
