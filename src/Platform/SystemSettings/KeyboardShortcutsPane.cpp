#include "Platform/SystemSettings/KeyboardShortcutsPane.h"

#include "Platform/Dock.h"
#include "Platform/Input/Event.h"
#include "Platform/Input/KeyboardLayout.h"
#include "Platform/SymbolicHotKeyTable.h"
#include "Platform/WindowServer.h"

#include <algorithm>
#include <cctype>

namespace tessarin {

namespace {

constexpr uint64_t kShiftFlag = EventFlags::maskShift;
constexpr uint64_t kControlFlag = EventFlags::maskControl;
constexpr uint64_t kOptionFlag = EventFlags::maskAlternate;
constexpr uint64_t kCommandFlag = EventFlags::maskCommand;
constexpr uint16_t kNoCharacter = 65535;
// The digit keys 1 to 9, then 0.
constexpr uint16_t kDigitKeyCodes[] = {18, 19, 20, 21, 23, 22, 26, 28, 25, 29};

std::string keyName(uint16_t keyCode) {
    switch (keyCode) {
    case 123:
        return "←";
    case 124:
        return "→";
    case 125:
        return "↓";
    case 126:
        return "↑";
    case 49:
        return "Space";
    default:
        break;
    }
    std::string characters = charactersForKeyCode(keyCode);
    const bool printable = !characters.empty() &&
                           static_cast<unsigned char>(characters.front()) >= 0x21 &&
                           static_cast<unsigned char>(characters.front()) < 0x7F;
    if (!printable) {
        return "Key " + std::to_string(keyCode);
    }
    std::ranges::transform(characters, characters.begin(),
                           [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return characters;
}

} // namespace

KeyboardShortcutsPane::KeyboardShortcutsPane(SymbolicHotKeyTable& table,
                                             const WindowServer& windows)
    : table_(table), windows_(windows) {}

int KeyboardShortcutsPane::desktopHotKey(int desktop) {
    return SymbolicHotKey::switchToDesktop(desktop);
}

std::string KeyboardShortcutsPane::keysText(const SymbolicHotKeyValue& value) {
    std::string text;
    const std::pair<uint64_t, const char*> glyphs[] = {
        {kControlFlag, "⌃"}, {kOptionFlag, "⌥"}, {kShiftFlag, "⇧"}, {kCommandFlag, "⌘"}};
    for (const auto& [flag, glyph] : glyphs) {
        if ((value.modifierFlags & flag) != 0) {
            text += glyph;
        }
    }
    return text + keyName(value.virtualKeyCode);
}

std::optional<SymbolicHotKeyValue> KeyboardShortcutsPane::defaultDesktopKeys(int desktop) {
    if (desktop < 1 || desktop > kMaximumDesktops) {
        return std::nullopt;
    }
    if (desktop <= 10) {
        return SymbolicHotKeyValue{kNoCharacter, kDigitKeyCodes[desktop - 1], kControlFlag};
    }
    return SymbolicHotKeyValue{kNoCharacter, kDigitKeyCodes[desktop - 11],
                               kControlFlag | kOptionFlag};
}

int KeyboardShortcutsPane::listedDesktopCount() const {
    int count = 0;
    for (const SpaceList& list : windows_.spaceLists()) {
        const auto desktops =
            std::ranges::count(list.spaces, kSpaceTypeUserDesktop, &ManagedSpace::type);
        count = std::max(count, static_cast<int>(desktops));
    }
    for (int desktop = count + 1; desktop <= kMaximumDesktops; ++desktop) {
        if (table_.value(desktopHotKey(desktop))) {
            count = desktop;
        }
    }
    return std::min(count, kMaximumDesktops);
}

KeyboardShortcutsPaneEntry KeyboardShortcutsPane::entryOf(int hotKey, std::string name,
                                                          bool indented) const {
    KeyboardShortcutsPaneEntry entry{hotKey, std::move(name), {}, false, indented};
    if (const auto value = table_.value(hotKey)) {
        entry.keys = keysText(*value);
        entry.enabled = table_.isEnabled(hotKey);
    } else if (hotKey > desktopHotKey(0)) {
        // A Desktop the table has no keys for shows the system's, off.
        const auto keys = defaultDesktopKeys(hotKey - desktopHotKey(0));
        entry.keys = keys ? keysText(*keys) : std::string();
    }
    return entry;
}

std::vector<KeyboardShortcutsPaneEntry> KeyboardShortcutsPane::missionControlEntries() const {
    std::vector<KeyboardShortcutsPaneEntry> entries;
    const auto add = [&](int hotKey, std::string name, bool indented) {
        entries.push_back(entryOf(hotKey, std::move(name), indented));
    };
    add(SymbolicHotKey::missionControl, "Mission Control", false);
    add(SymbolicHotKey::moveLeftASpace, "Move left a space", true);
    add(SymbolicHotKey::moveRightASpace, "Move right a space", true);
    for (int desktop = 1; desktop <= listedDesktopCount(); ++desktop) {
        add(desktopHotKey(desktop), "Switch to Desktop " + std::to_string(desktop), true);
    }
    add(SymbolicHotKey::applicationWindows, "Application windows", false);
    return entries;
}

bool KeyboardShortcutsPane::isListed(int hotKey) const {
    return std::ranges::any_of(missionControlEntries(),
                               [hotKey](const auto& entry) { return entry.hotKey == hotKey; });
}

bool KeyboardShortcutsPane::setEnabled(int hotKey, bool enabled) {
    if (!isListed(hotKey)) {
        return false;
    }
    if (table_.value(hotKey)) {
        return table_.setEnabled(hotKey, enabled) == 0;
    }
    const auto keys = defaultDesktopKeys(hotKey - desktopHotKey(0));
    if (!keys) {
        return false;
    }
    table_.set(hotKey, *keys, enabled);
    return true;
}

} // namespace tessarin
