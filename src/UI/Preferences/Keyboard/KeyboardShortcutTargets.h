#pragma once

#include "Core/Settings/DisplaySelectionTarget.h"
#include "Core/Settings/DisplaySettingsScope.h"
#include "Core/SpaceModel/TessarinDisplay.h"
#include "Hotkeys/HotkeyAction.h"
#include "Hotkeys/HotkeyScope.h"

#include <optional>
#include <string>
#include <vector>

namespace tessarin {

// What the Keyboard page edits: the display under the pointer, or one connected display. It
// never holds "all displays".
class KeyboardShortcutTargets {
public:
    static constexpr const char* cursorDisplayTitle = "Cursor Display";
    static constexpr const char* allDisplaysTitle = "All Displays";

    const std::vector<DisplaySelectionTarget>& available() const { return available_; }
    const DisplaySelectionTarget& selected() const { return selected_; }

    // Rebuilds the entries: the cursor display, then every connected display while displays
    // have separate Spaces. The selected display stays selected (under its current name) while
    // it is still listed; otherwise the cursor display is selected.
    void refresh(bool displaysHaveSeparateSpaces, const std::vector<TessarinDisplay>& displays);
    // False, changing nothing, for an index that names no entry.
    bool select(int index);

    std::vector<std::string> titles() const;
    std::optional<int> selectedIndex() const;
    bool isChoosable() const { return available_.size() >= 2; }

    HotkeyScope hotkeyScope() const;
    DisplaySettingsScope settingsScope() const;
    HotkeyAction action(HotkeyIdentifier identifier) const { return {identifier, hotkeyScope()}; }
    bool isCursorScope() const { return hotkeyScope().isCursorDisplay(); }

    // The display whose direct-slot names and obscure flags the page shows and writes: the
    // selected display, else (while at most one display is listed) the one with the active menu
    // bar. Nothing when neither applies; the slots then cannot be edited.
    std::optional<std::string>
    metadataDisplayIdentifier(const std::optional<std::string>& activeMenuBarDisplay) const;

private:
    std::size_t displayEntryCount() const;

    std::vector<DisplaySelectionTarget> available_{DisplaySelectionTarget::cursorDisplay()};
    DisplaySelectionTarget selected_ = DisplaySelectionTarget::cursorDisplay();
};

// Every action of a scope in slot order: all sixteen for the cursor display, the fourteen a
// display can bind for a display.
std::vector<HotkeyAction> scopeActions(const HotkeyScope& scope);

} // namespace tessarin
