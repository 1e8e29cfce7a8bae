#include "UI/OSD/OSDHostKeyEvent.h"

#include "Platform/Input/KeyboardLayout.h"

#include <map>

namespace tessarin {

namespace {

const std::map<int, uint16_t>& namedKeyCodes() {
    static const std::map<int, uint16_t> table = {
        {Qt::Key_Return, 36}, {Qt::Key_Enter, 76},     {Qt::Key_Tab, 48},
        {Qt::Key_Space, 49},  {Qt::Key_Backspace, 51}, {Qt::Key_Escape, 53},
        {Qt::Key_Left, 123},  {Qt::Key_Right, 124},    {Qt::Key_Down, 125},
        {Qt::Key_Up, 126},    {Qt::Key_Delete, 117},   {Qt::Key_Home, 115},
        {Qt::Key_End, 119},   {Qt::Key_PageUp, 116},   {Qt::Key_PageDown, 121},
    };
    return table;
}

// The main-block key that types `character`; the keypad's codes start at 65.
std::optional<uint16_t> keyCodeTyping(char character) {
    const std::string wanted(1, character);
    for (uint16_t code = 0; code < 65; ++code) {
        if (charactersForKeyCode(code) == wanted) {
            return code;
        }
    }
    return std::nullopt;
}

std::optional<uint16_t> ansiKeyCode(int key) {
    const auto& named = namedKeyCodes();
    if (const auto it = named.find(key); it != named.end()) {
        return it->second;
    }
    if (key > 0x20 && key < 0x7F) {
        const char character = static_cast<char>(key >= 'A' && key <= 'Z' ? key - 'A' + 'a' : key);
        return keyCodeTyping(character);
    }
    return std::nullopt;
}

uint64_t hostFlags(Qt::KeyboardModifiers modifiers, uint16_t keyCode) {
    uint64_t flags = 0;
    if (modifiers & Qt::ShiftModifier) {
        flags |= EventFlags::maskShift;
    }
    // Qt's Control is the host's Command and Qt's Meta its Control, as the host's own toolkit
    // maps them, so Control-period cancels here as Command-period does there.
    if (modifiers & Qt::ControlModifier) {
        flags |= EventFlags::maskCommand;
    }
    if (modifiers & Qt::MetaModifier) {
        flags |= EventFlags::maskControl;
    }
    if (modifiers & Qt::AltModifier) {
        flags |= EventFlags::maskAlternate;
    }
    if (isArrowKeyCode(keyCode)) {
        flags |= EventFlags::maskNumericPad | EventFlags::maskSecondaryFn;
    }
    return flags;
}

} // namespace

std::optional<Event> hostKeyEvent(const QKeyEvent& event) {
    const auto keyCode = ansiKeyCode(event.key());
    if (!keyCode) {
        return std::nullopt;
    }
    Event hostEvent = Event::keyboard(*keyCode, event.type() != QEvent::KeyRelease,
                                      hostFlags(event.modifiers(), *keyCode));
    hostEvent.characters = charactersForKeyCode(*keyCode);
    if (event.isAutoRepeat()) {
        hostEvent.setIntegerValue(EventField::keyboardEventAutorepeat, 1);
    }
    return hostEvent;
}

} // namespace tessarin
