#include "UI/Preferences/Keyboard/KeyboardShortcutAlerts.h"

#include "Platform/Host.h"
#include "Platform/SystemServices.h"

namespace tessarin {

namespace {

std::string joinedNames(const std::vector<SystemKeyboardShortcutConflict>& conflicts) {
    std::string names;
    for (const SystemKeyboardShortcutConflict& conflict : conflicts) {
        if (!names.empty()) {
            names += ", ";
        }
        names += conflict.displayName;
    }
    return names;
}

} // namespace

SystemAlert KeyboardShortcutAlerts::duplicateShortcut(const std::string& ownerName) {
    return {"Shortcut already in use",
            "This shortcut is already assigned to " + ownerName + ".",
            {"OK"}};
}

SystemAlert KeyboardShortcutAlerts::systemShortcutConflict(
    const HotkeyCombination& combination,
    const std::vector<SystemKeyboardShortcutConflict>& conflicts) {
    return {"Shortcut conflicts with macOS Mission Control",
            combination.displayString() + " is currently assigned to " + joinedNames(conflicts) +
                ". Disable or remap that shortcut in System Settings > Keyboard > Keyboard "
                "Shortcuts > Mission Control, choose another Tessarin shortcut, or use it anyway.",
            {"Use Anyway", "Open Keyboard Shortcuts", "Cancel"}};
}

SystemAlert KeyboardShortcutAlerts::osdKeyBindingError(const OSDKeyBindingStoreError& error,
                                                       OSDKeyBindingAction recordedAction) {
    switch (error.kind) {
    case OSDKeyBindingStoreError::Kind::alreadyAssigned:
        return {"Key already assigned",
                "That key is already assigned to " + osdKeyBindingTitle(error.otherAction) + ".",
                {"OK"}};
    case OSDKeyBindingStoreError::Kind::unusableKey:
        return {"Key cannot be used",
                "Choose another key for " + osdKeyBindingTitle(recordedAction) + ".",
                {"OK"}};
    case OSDKeyBindingStoreError::Kind::modifiersNotAllowed:
        return {"Modifiers are not allowed",
                osdKeyBindingTitle(recordedAction) + " uses a single key without modifiers.",
                {"OK"}};
    }
    return {};
}

void KeyboardShortcutAlerts::showShortcutConflictAlert(const std::string& ownerName) {
    SystemServices& system = Host::current().system();
    system.beep();
    system.runModalAlert(duplicateShortcut(ownerName));
}

SystemShortcutConflictResolution KeyboardShortcutAlerts::showSystemShortcutConflictWarning(
    const HotkeyCombination& combination,
    const std::vector<SystemKeyboardShortcutConflict>& conflicts) {
    switch (
        Host::current().system().runModalAlert(systemShortcutConflict(combination, conflicts))) {
    case AlertResponse::firstButton:
        return SystemShortcutConflictResolution::useAnyway;
    case AlertResponse::secondButton:
        return SystemShortcutConflictResolution::openKeyboardShortcuts;
    default:
        return SystemShortcutConflictResolution::cancel;
    }
}

void KeyboardShortcutAlerts::showOSDKeyBindingError(const OSDKeyBindingStoreError& error,
                                                    OSDKeyBindingAction action) {
    Host::current().system().runModalAlert(osdKeyBindingError(error, action));
}

std::string osdKeyBindingTitle(OSDKeyBindingAction action) {
    switch (action) {
    case OSDKeyBindingAction::hide:
        return "Hide OSD";
    case OSDKeyBindingAction::moveLeft:
        return "Move left";
    case OSDKeyBindingAction::moveRight:
        return "Move right";
    case OSDKeyBindingAction::moveUp:
        return "Move up";
    case OSDKeyBindingAction::moveDown:
        return "Move down";
    case OSDKeyBindingAction::select:
        return "Select";
    }
    return {};
}

} // namespace tessarin
