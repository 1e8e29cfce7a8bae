#pragma once

#include "Hotkeys/HotkeyAction.h"
#include "Hotkeys/HotkeyCombination.h"
#include "Model/Spaces/DirectSlotMetadata.h"

#include <optional>
#include <string>

namespace tessarin {

class DirectSlotMetadataStore;
class HotkeyStore;

// What one direct-slot row shows: the slot number, its custom name and obscure flag on the
// display the page edits, and the slot's hotkey.
struct DirectSlotRowModel {
    static constexpr const char* notEditableToolTip =
        "Choose a specific display in Target to edit Direct slot names and obscure previews.";
    static constexpr const char* obscureToolTip = "Hide preview content for this slot";

    HotkeyAction action;
    int slotIndex = 1;
    std::string title;           // "03"
    std::string placeholderName; // "Space 03"
    DirectSlotMetadata metadata;
    // Names and flags belong to one display; without one they show as a grey label and an
    // unticked, disabled box.
    bool metadataEditable = false;
    std::optional<HotkeyCombination> combination;
    bool isShortcutEnabled = false;
    // Why the shown combination cannot be pressed on this machine, when it cannot.
    std::optional<std::string> deliveryWarning;

    // `metadataDisplay`: the display whose names the page edits, if any.
    static DirectSlotRowModel make(HotkeyStore& hotkeys, const DirectSlotMetadataStore& metadata,
                                   const HotkeyAction& action,
                                   const std::optional<std::string>& metadataDisplay);
    std::optional<HotkeyCombination> shownCombination() const {
        return isShortcutEnabled ? combination : std::nullopt;
    }
    // The text the name field starts with.
    std::string nameText() const {
        return metadataEditable ? metadata.name.value_or("") : placeholderName;
    }
    const char* nameToolTip() const { return metadataEditable ? "" : notEditableToolTip; }
    const char* checkboxToolTip() const {
        return metadataEditable ? obscureToolTip : notEditableToolTip;
    }
};

} // namespace tessarin
