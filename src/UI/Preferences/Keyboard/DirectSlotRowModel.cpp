#include "UI/Preferences/Keyboard/DirectSlotRowModel.h"

#include "Hotkeys/HotkeyStore.h"
#include "Model/Spaces/DirectSlotMetadataStore.h"
#include "UI/Preferences/Controls/HotkeyDeliveryWarning.h"

#include <cstdio>

namespace tessarin {

namespace {

std::string formatted(const char* format, int value) {
    char text[32];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

} // namespace

DirectSlotRowModel DirectSlotRowModel::make(HotkeyStore& hotkeys,
                                            const DirectSlotMetadataStore& metadata,
                                            const HotkeyAction& action,
                                            const std::optional<std::string>& metadataDisplay) {
    DirectSlotRowModel row;
    row.action = action;
    row.slotIndex = directSlotIndex(action.identifier).value_or(1);
    row.title = formatted("%02d", row.slotIndex);
    row.placeholderName = formatted("Space %02d", row.slotIndex);
    row.metadataEditable = metadataDisplay.has_value();
    if (metadataDisplay) {
        row.metadata = metadata.metadata(*metadataDisplay, row.slotIndex);
    }
    row.combination = hotkeys.combination(action);
    row.isShortcutEnabled = hotkeys.isEnabled(action);
    if (const auto shown = row.shownCombination()) {
        row.deliveryWarning = hotkeyDeliveryWarning(*shown);
    }
    return row;
}

} // namespace tessarin
