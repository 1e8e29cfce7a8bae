#include "UI/Preferences/Keyboard/KeyboardShortcutsViewIdentifier.h"

namespace tessarin {

std::string KeyboardShortcutsViewIdentifier::shortcutControl(HotkeyIdentifier identifier,
                                                             const char* part) {
    return "keyboard.control.shortcut." + std::string(rawValue(identifier)) + "." + part;
}

std::string KeyboardShortcutsViewIdentifier::directSlotControl(HotkeyIdentifier identifier,
                                                               const char* part) {
    return "keyboard.control.directSlot." + std::string(rawValue(identifier)) + "." + part;
}

std::string KeyboardShortcutsViewIdentifier::osdKeybindRecorder(OSDKeyBindingAction action) {
    return "keyboard.control.osd.keybind." + std::string(rawValue(action)) + ".recorder";
}

std::string KeyboardShortcutsViewIdentifier::workspaceControl(const Uuid& workspace,
                                                              const char* part) {
    return "keyboard.control.workspace." + workspace.uuidString() + "." + part;
}

std::string KeyboardShortcutsViewIdentifier::workspaceConfigurationTargetControl(
    const WorkspaceTargetKey& key) {
    const std::string prefix = "keyboard.control.workspace.configure.";
    if (key.isSharedSpaces()) {
        return prefix + "sharedSpaces";
    }
    return prefix + "display." + key.displayIdentifier;
}

} // namespace tessarin
