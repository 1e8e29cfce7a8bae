#pragma once

#include "Platform/Input/Event.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tessarin {

// Who receives a menu item's action.
enum class MenuItemTarget { none, application, firstResponder, preferencesTarget };

// One item of the application's main menu: a separator, or a title with an action selector and
// a key equivalent (with Command, plus the modifiers flagged here), or a submenu.
struct MainMenuItem {
    std::string title;
    std::string action;
    std::string keyEquivalent;
    bool withOption = false;
    bool withShift = false;
    MenuItemTarget target = MenuItemTarget::none;
    bool isSeparator = false;
    // The submenu that is also the application's services menu.
    bool isServicesMenu = false;
    std::vector<MainMenuItem> submenu;

    // The host's modifier flags of the key equivalent: Command, with Option and Shift as flagged
    // (an upper-case key takes Shift as well).
    uint64_t keyEquivalentModifierMask() const;

    friend bool operator==(const MainMenuItem&, const MainMenuItem&) = default;
};

// The application's main menu: its top-level items, each with the submenu of the same title.
struct MainMenu {
    std::vector<MainMenuItem> items;
    // The item, in any submenu, whose key equivalent a key down types: the same key, ignoring
    // case, with exactly its modifiers; null for none.
    const MainMenuItem* itemForKeyEquivalent(const Event& keyDown) const;
    friend bool operator==(const MainMenu&, const MainMenu&) = default;
};

// Builds the main menu: the application menu ("Settings…" sent to the preferences action),
// File and Edit.
struct TessarinMainMenuFactory {
    static MainMenu makeMainMenu(const std::string& preferencesAction);
};

} // namespace tessarin
