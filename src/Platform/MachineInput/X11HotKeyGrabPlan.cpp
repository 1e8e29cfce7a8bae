#include "Platform/MachineInput/X11HotKeyGrabPlan.h"

#include "Platform/Input/HotKeyCenter.h"
#include "Platform/Input/KeyboardLayout.h"

#include <map>
#include <string>

namespace tessarin {

namespace {

struct NamedKey {
    uint32_t keySym;
    const char* name;
};

// Keys that type no character, and the keypad's, by their host codes.
const std::map<uint16_t, NamedKey>& namedKeys() {
    static const std::map<uint16_t, NamedKey> table = {
        {36, {0xff0d, "Return"}},     {48, {0xff09, "Tab"}},         {49, {0x0020, "space"}},
        {51, {0xff08, "BackSpace"}},  {53, {0xff1b, "Escape"}},      {123, {0xff51, "Left"}},
        {124, {0xff53, "Right"}},     {125, {0xff54, "Down"}},       {126, {0xff52, "Up"}},
        {117, {0xffff, "Delete"}},    {115, {0xff50, "Home"}},       {119, {0xff57, "End"}},
        {116, {0xff55, "Prior"}},     {121, {0xff56, "Next"}},       {114, {0xff63, "Insert"}},
        {122, {0xffbe, "F1"}},        {120, {0xffbf, "F2"}},         {99, {0xffc0, "F3"}},
        {118, {0xffc1, "F4"}},        {96, {0xffc2, "F5"}},          {97, {0xffc3, "F6"}},
        {98, {0xffc4, "F7"}},         {100, {0xffc5, "F8"}},         {101, {0xffc6, "F9"}},
        {109, {0xffc7, "F10"}},       {103, {0xffc8, "F11"}},        {111, {0xffc9, "F12"}},
        {65, {0xffae, "KP_Decimal"}}, {67, {0xffaa, "KP_Multiply"}}, {69, {0xffab, "KP_Add"}},
        {75, {0xffaf, "KP_Divide"}},  {76, {0xff8d, "KP_Enter"}},    {78, {0xffad, "KP_Subtract"}},
        {81, {0xffbd, "KP_Equal"}},   {82, {0xffb0, "KP_0"}},        {83, {0xffb1, "KP_1"}},
        {84, {0xffb2, "KP_2"}},       {85, {0xffb3, "KP_3"}},        {86, {0xffb4, "KP_4"}},
        {87, {0xffb5, "KP_5"}},       {88, {0xffb6, "KP_6"}},        {89, {0xffb7, "KP_7"}},
        {91, {0xffb8, "KP_8"}},       {92, {0xffb9, "KP_9"}},
    };
    return table;
}

std::optional<char> printableCharacter(uint16_t keyCode) {
    const std::string characters = charactersForKeyCode(keyCode);
    if (characters.size() == 1 && characters[0] > 0x20 && characters[0] < 0x7F) {
        return characters[0];
    }
    return std::nullopt;
}

} // namespace

std::optional<uint32_t> x11KeySymForHostKeyCode(uint16_t keyCode) {
    const auto& named = namedKeys();
    if (const auto it = named.find(keyCode); it != named.end()) {
        return it->second.keySym;
    }
    // Printable ASCII characters are their own key symbols.
    if (const auto character = printableCharacter(keyCode)) {
        return static_cast<uint32_t>(*character);
    }
    return std::nullopt;
}

std::string x11CombinationName(uint16_t keyCode, uint32_t carbon) {
    std::string name;
    if (carbon & CarbonModifiers::cmdKey) {
        name += "Ctrl+";
    }
    if (carbon & CarbonModifiers::optionKey) {
        name += "Alt+";
    }
    if (carbon & CarbonModifiers::controlKey) {
        name += "Super+";
    }
    if (carbon & CarbonModifiers::shiftKey) {
        name += "Shift+";
    }
    const auto& named = namedKeys();
    if (const auto it = named.find(keyCode); it != named.end()) {
        name.append(it->second.name);
    } else if (const auto character = printableCharacter(keyCode)) {
        name.push_back(*character);
    } else {
        name.append("key").append(std::to_string(keyCode));
    }
    return name;
}

uint16_t x11Modifiers(uint32_t carbon, const X11ModifierBits& bits) {
    uint16_t modifiers = 0;
    if (carbon & CarbonModifiers::shiftKey) {
        modifiers |= bits.shift;
    }
    if (carbon & CarbonModifiers::cmdKey) {
        modifiers |= bits.control;
    }
    if (carbon & CarbonModifiers::optionKey) {
        modifiers |= bits.alt;
    }
    if (carbon & CarbonModifiers::controlKey) {
        modifiers |= bits.super;
    }
    return modifiers;
}

uint32_t carbonModifiersOfX11State(uint16_t state, const X11ModifierBits& bits) {
    uint32_t carbon = 0;
    if (state & bits.shift) {
        carbon |= CarbonModifiers::shiftKey;
    }
    if (state & bits.control) {
        carbon |= CarbonModifiers::cmdKey;
    }
    if (state & bits.alt) {
        carbon |= CarbonModifiers::optionKey;
    }
    if (state & bits.super) {
        carbon |= CarbonModifiers::controlKey;
    }
    return carbon;
}

std::vector<uint16_t> x11LockVariants(uint16_t modifiers, const X11ModifierBits& bits) {
    return {modifiers, static_cast<uint16_t>(modifiers | bits.numLock),
            static_cast<uint16_t>(modifiers | bits.capsLock),
            static_cast<uint16_t>(modifiers | bits.numLock | bits.capsLock)};
}

} // namespace tessarin
