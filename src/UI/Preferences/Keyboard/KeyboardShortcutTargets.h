#pragma once

#include "Hotkeys/HotkeyAction.h"
#include "Hotkeys/HotkeyScope.h"
#include "Model/Settings/DisplaySelectionTargetList.h"
#include "Model/Settings/DisplaySettingsScope.h"
#include "Model/Spaces/TessarinDisplay.h"

#include <optional>
#include <string>
#include <vector>

namespace tessarin {

// What the Keyboard page edits: the display under the pointer (listed first), or one connected
// display. It never holds "all displays".
class KeyboardShortcutTargets : public DisplaySelectionTargetList {
public:
    KeyboardShortcutTargets()
        : DisplaySelectionTargetList(DisplaySelectionTarget::cursorDisplay(),
                                     StandingPlacement::first) {}

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
};

// Every action of a scope in slot order: all sixteen for the cursor display, the fourteen a
// display can bind for a display.
std::vector<HotkeyAction> scopeActions(const HotkeyScope& scope);

} // namespace tessarin
