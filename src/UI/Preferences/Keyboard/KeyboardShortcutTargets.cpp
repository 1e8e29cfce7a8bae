#include "UI/Preferences/Keyboard/KeyboardShortcutTargets.h"

#include "Support/Text.h"

#include <algorithm>

namespace tessarin {

void KeyboardShortcutTargets::refresh(bool displaysHaveSeparateSpaces,
                                      const std::vector<TessarinDisplay>& displays) {
    const std::optional<std::string> remembered = selected_.displayIdentifier();
    available_ = {DisplaySelectionTarget::cursorDisplay()};
    if (displaysHaveSeparateSpaces) {
        for (const TessarinDisplay& display : displays) {
            available_.push_back(DisplaySelectionTarget::display(display));
        }
    }
    selected_ = DisplaySelectionTarget::cursorDisplay();
    if (!remembered) {
        return;
    }
    const auto same = std::find_if(available_.begin(), available_.end(), [&](const auto& entry) {
        return entry.displayIdentifier() == remembered;
    });
    if (same != available_.end()) {
        selected_ = *same;
    }
}

bool KeyboardShortcutTargets::select(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= available_.size()) {
        return false;
    }
    selected_ = available_[static_cast<std::size_t>(index)];
    return true;
}

std::vector<std::string> KeyboardShortcutTargets::titles() const {
    std::vector<std::string> titles;
    for (const DisplaySelectionTarget& target : available_) {
        switch (target.kind) {
        case DisplaySelectionTarget::Kind::cursorDisplay:
            titles.emplace_back(cursorDisplayTitle);
            break;
        case DisplaySelectionTarget::Kind::allDisplays:
            titles.emplace_back(allDisplaysTitle);
            break;
        case DisplaySelectionTarget::Kind::display:
            titles.push_back(target.selectedDisplay ? target.selectedDisplay->name : "");
            break;
        }
    }
    return titles;
}

std::optional<int> KeyboardShortcutTargets::selectedIndex() const {
    const auto found = std::find(available_.begin(), available_.end(), selected_);
    if (found == available_.end()) {
        return std::nullopt;
    }
    return static_cast<int>(found - available_.begin());
}

HotkeyScope KeyboardShortcutTargets::hotkeyScope() const {
    if (auto identifier = selected_.displayIdentifier()) {
        return HotkeyScope::display(*identifier);
    }
    return HotkeyScope::cursorDisplay();
}

DisplaySettingsScope KeyboardShortcutTargets::settingsScope() const {
    return DisplaySettingsScope::forDisplayIdentifier(selected_.displayIdentifier());
}

std::optional<std::string> KeyboardShortcutTargets::metadataDisplayIdentifier(
    const std::optional<std::string>& activeMenuBarDisplay) const {
    if (auto identifier = selected_.displayIdentifier()) {
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
        std::count_if(available_.begin(), available_.end(), [](const auto& entry) {
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
