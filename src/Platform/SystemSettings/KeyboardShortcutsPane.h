#pragma once

#include "Platform/WindowServerTypes.h"

#include <optional>
#include <string>
#include <vector>

namespace tessarin {

class SymbolicHotKeyTable;
class WindowServer;

// One shortcut of the Keyboard Shortcuts pane's Mission Control list, with its check box.
struct KeyboardShortcutsPaneEntry {
    int hotKey = 0;
    std::string name;
    std::string keys; // "⌃↑", "⌃1"; empty when the shortcut has no keys
    bool enabled = false;
    bool indented = false; // listed under Mission Control
    friend bool operator==(const KeyboardShortcutsPaneEntry&,
                           const KeyboardShortcutsPaneEntry&) = default;
};

// System Settings' Keyboard Shortcuts pane, on its Mission Control list: Mission Control,
// Application windows, moving a Space left or right and switching to each Desktop. What it shows
// and changes is the system's symbolic hot key table, so a shortcut turned off here no longer
// holds its keys. Main-thread only.
class KeyboardShortcutsPane {
public:
    static constexpr int kMaximumDesktops = 16;

    KeyboardShortcutsPane(SymbolicHotKeyTable& table, const WindowServer& windows);

    // In the system's order. "Switch to Desktop N" is listed for each Desktop of the display
    // with the most, and for each the table holds.
    std::vector<KeyboardShortcutsPaneEntry> missionControlEntries() const;
    // Turns a listed shortcut on or off; a Desktop shortcut the table has no keys for gets the
    // system's. False for a shortcut the list does not hold.
    bool setEnabled(int hotKey, bool enabled);

    // The keys as the system writes them: modifier glyphs (⌃⌥⇧⌘), then the key.
    static std::string keysText(const SymbolicHotKeyValue& value);
    // The keys the system gives "Switch to Desktop N" (Control and a digit, then Control-Option).
    static std::optional<SymbolicHotKeyValue> defaultDesktopKeys(int desktop);
    static int desktopHotKey(int desktop);

private:
    int listedDesktopCount() const;
    KeyboardShortcutsPaneEntry entryOf(int hotKey, std::string name, bool indented) const;
    bool isListed(int hotKey) const;

    SymbolicHotKeyTable& table_;
    const WindowServer& windows_;
};

} // namespace tessarin
