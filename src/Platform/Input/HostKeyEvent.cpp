#include "Platform/Input/HostKeyEvent.h"

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
        {Qt::Key_Help, 114},  {Qt::Key_Insert, 114},   {Qt::Key_F1, 122},
        {Qt::Key_F2, 120},    {Qt::Key_F3, 99},        {Qt::Key_F4, 118},
        {Qt::Key_F5, 96},     {Qt::Key_F6, 97},        {Qt::Key_F7, 98},
        {Qt::Key_F8, 100},    {Qt::Key_F9, 101},       {Qt::Key_F10, 109},
        {Qt::Key_F11, 103},   {Qt::Key_F12, 111},
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

// The keypad's own codes, for keys typed with the keypad modifier.
std::optional<uint16_t> keypadKeyCode(int key) {
    static const std::map<int, uint16_t> table = {
        {Qt::Key_0, 82},     {Qt::Key_1, 83},     {Qt::Key_2, 84},      {Qt::Key_3, 85},
        {Qt::Key_4, 86},     {Qt::Key_5, 87},     {Qt::Key_6, 88},      {Qt::Key_7, 89},
        {Qt::Key_8, 91},     {Qt::Key_9, 92},     {Qt::Key_Period, 65}, {Qt::Key_Asterisk, 67},
        {Qt::Key_Plus, 69},  {Qt::Key_Slash, 75}, {Qt::Key_Minus, 78},  {Qt::Key_Equal, 81},
        {Qt::Key_Enter, 76},
    };
    const auto it = table.find(key);
    return it == table.end() ? std::nullopt : std::optional<uint16_t>(it->second);
}

std::optional<uint16_t> ansiKeyCode(int key, Qt::KeyboardModifiers modifiers) {
    if (modifiers & Qt::KeypadModifier) {
        if (const auto code = keypadKeyCode(key)) {
            return code;
        }
    }
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
    uint64_t flags = hostModifierFlags(modifiers);
    if (isArrowKeyCode(keyCode)) {
        flags |= EventFlags::maskNumericPad | EventFlags::maskSecondaryFn;
    }
    return flags;
}

} // namespace

uint64_t hostModifierFlags(Qt::KeyboardModifiers modifiers) {
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
    return flags;
}

std::optional<uint64_t> hostModifierKeyFlag(int key) {
    switch (key) {
    case Qt::Key_Shift:
        return EventFlags::maskShift;
    case Qt::Key_Control:
        return EventFlags::maskCommand;
    case Qt::Key_Meta:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
        return EventFlags::maskControl;
    case Qt::Key_Alt:
        return EventFlags::maskAlternate;
    default:
        return std::nullopt;
    }
}

std::optional<Event> hostKeyEvent(const QKeyEvent& event) {
    const auto keyCode = ansiKeyCode(event.key(), event.modifiers());
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
