#include "UI/MenuBar/MainMenu.h"

#include "Support/Text.h"

namespace tessarin {

namespace {

MainMenuItem separator() {
    MainMenuItem item;
    item.isSeparator = true;
    return item;
}

MainMenuItem command(std::string title, std::string action, std::string key,
                     MenuItemTarget target) {
    MainMenuItem item;
    item.title = std::move(title);
    item.action = std::move(action);
    item.keyEquivalent = std::move(key);
    item.target = target;
    return item;
}

MainMenuItem topLevel(std::string title, std::vector<MainMenuItem> submenu) {
    MainMenuItem item;
    item.title = std::move(title);
    item.submenu = std::move(submenu);
    return item;
}

MainMenuItem applicationMenu(const std::string& preferencesAction) {
    constexpr auto app = MenuItemTarget::application;
    MainMenuItem services;
    services.title = "Services";
    services.isServicesMenu = true;
    MainMenuItem hideOthers = command("Hide Others", "hideOtherApplications:", "h", app);
    hideOthers.withOption = true;
    return topLevel(
        "Tessarin",
        {command("Settings\u2026", preferencesAction, ",", MenuItemTarget::preferencesTarget),
         separator(), services, separator(), command("Hide Tessarin", "hide:", "h", app),
         hideOthers, command("Show All", "unhideAllApplications:", "", app), separator(),
         command("Quit Tessarin", "terminate:", "q", app)});
}

MainMenuItem editMenu() {
    constexpr auto responder = MenuItemTarget::firstResponder;
    MainMenuItem redo = command("Redo", "redo:", "Z", responder);
    redo.withShift = true;
    return topLevel("Edit", {command("Undo", "undo:", "z", responder), redo, separator(),
                             command("Cut", "cut:", "x", responder),
                             command("Copy", "copy:", "c", responder),
                             command("Paste", "paste:", "v", responder),
                             command("Delete", "delete:", "", responder), separator(),
                             command("Select All", "selectAll:", "a", responder)});
}

const MainMenuItem* findKeyEquivalent(const std::vector<MainMenuItem>& items,
                                      const std::string& key, uint64_t modifiers) {
    for (const MainMenuItem& item : items) {
        if (!item.keyEquivalent.empty() && lowercased(item.keyEquivalent) == key &&
            item.keyEquivalentModifierMask() == modifiers) {
            return &item;
        }
        if (const MainMenuItem* found = findKeyEquivalent(item.submenu, key, modifiers)) {
            return found;
        }
    }
    return nullptr;
}

} // namespace

uint64_t MainMenuItem::keyEquivalentModifierMask() const {
    uint64_t mask = EventFlags::maskCommand;
    if (withOption) {
        mask |= EventFlags::maskAlternate;
    }
    if (withShift || lowercased(keyEquivalent) != keyEquivalent) {
        mask |= EventFlags::maskShift;
    }
    return mask;
}

const MainMenuItem* MainMenu::itemForKeyEquivalent(const Event& keyDown) const {
    if (keyDown.type != EventType::keyDown || keyDown.characters.empty()) {
        return nullptr;
    }
    return findKeyEquivalent(items, lowercased(keyDown.characters),
                             keyDown.flags & EventFlags::maskShortcutModifiers);
}

MainMenu TessarinMainMenuFactory::makeMainMenu(const std::string& preferencesAction) {
    return MainMenu{{applicationMenu(preferencesAction),
                     topLevel("File", {command("Close Window", "performClose:", "w",
                                               MenuItemTarget::firstResponder)}),
                     editMenu()}};
}

} // namespace tessarin
