#include "UI/Preferences/Keyboard/KeyboardShortcutTargets.h"

#include "Support/Text.h"

#include <algorithm>

namespace tessarin {

HotkeyScope KeyboardShortcutTargets::hotkeyScope() const {
    if (auto identifier = selected().displayIdentifier()) {
        return HotkeyScope::display(*identifier);
    }
    return HotkeyScope::cursorDisplay();
}

DisplaySettingsScope KeyboardShortcutTargets::settingsScope() const {
    return DisplaySettingsScope::forDisplayIdentifier(selected().displayIdentifier());
}

std::optional<std::string> KeyboardShortcutTargets::metadataDisplayIdentifier(
    const std::optional<std::string>& activeMenuBarDisplay) const {
    if (auto identifier = selected().displayIdentifier()) {
        return identifier;
    }
    // With several displays listed, a slot name belongs to no display in particular.
    if (displayEntryCount() >= 2 || !activeMenuBarDisplay || isBlank(*activeMenuBarDisplay)) {
        return std::nullopt;
    }
    return activeMenuBarDisplay;
}

std::size_t KeyboardShortcutTargets::displayEntryCount() const {
    return static_cast<std::size_t>(
        std::count_if(available().begin(), available().end(), [](const auto& entry) {
            return entry.kind == DisplaySelectionTarget::Kind::display;
        }));
}

std::vector<HotkeyAction> scopeActions(const HotkeyScope& scope) {
    std::vector<HotkeyAction> actions;
    if (scope.isCursorDisplay()) {
        for (HotkeyIdentifier identifier : kAllHotkeyIdentifiers) {
            actions.push_back({identifier, scope});
        }
        return actions;
    }
    for (HotkeyIdentifier identifier : kDisplaySpecificHotkeyIdentifiers) {
        actions.push_back({identifier, scope});
    }
    return actions;
}

} // namespace tessarin
