#pragma once

#include "Hotkeys/HotkeyCombination.h"
#include "Hotkeys/HotkeyIdentifier.h"

namespace tessarin {

// The application shell's refreshes after a Space change the engine made or undid: the
// menu-bar Space information and the persistent overlays; and the menu bar's view of the
// hotkeys, the grid mode and the periodic grid screenshots.
class ShellRefreshing {
public:
    virtual ~ShellRefreshing() = default;
    virtual void refreshSpaceInfo() = 0;
    virtual void refreshPersistentGridOverlay() = 0;
    // Shows a cursor-display hotkey's keys in its menu item, also while the hotkey is off.
    virtual void applyHotkey(const HotkeyCombination& combination, HotkeyIdentifier identifier) = 0;
    // Stores the flag and updates the menu when it changed.
    virtual void setGridModeEnabled(bool enabled) = 0;
    virtual void restartPeriodicGridScreenshotRefresh() = 0;
};

} // namespace tessarin
