#include "UI/Preferences/Keyboard/ShortcutRowModel.h"

#include "Hotkeys/HotkeyStore.h"
#include "UI/Preferences/Controls/HotkeyDeliveryWarning.h"

namespace tessarin {

ShortcutRowModel ShortcutRowModel::make(HotkeyStore& hotkeys, const HotkeyAction& action,
                                        bool gridModeEnabled) {
    const HotkeyIdentifier identifier = action.identifier;
    const bool gridOnly = identifier == HotkeyIdentifier::showOSD ||
                          identifier == HotkeyIdentifier::up ||
                          identifier == HotkeyIdentifier::down;
    ShortcutRowModel model{
        action,
        action.scope.isCursorDisplay() ? displayName(identifier) : displaySpecificName(identifier),
        hotkeys.combination(action), hotkeys.isEnabled(action), gridModeEnabled || !gridOnly};
    if (model.combination && model.isShortcutEnabled && model.isAvailable) {
        model.deliveryWarning = hotkeyDeliveryWarning(*model.combination);
    }
    return model;
}

} // namespace tessarin
