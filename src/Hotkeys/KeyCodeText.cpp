#include "Hotkeys/KeyCodeText.h"

#include "Hotkeys/KeyCharacter.h"
#include "Platform/Input/KeyboardLayout.h"

#include <array>
#include <utility>

namespace tessarin {

namespace {

constexpr std::array<std::pair<uint32_t, SpecialKeyText>, 22> kSpecialKeys{{
    {36, {"\u21A9", "\r"}},      {48, {"\u21E5", "\t"}},      {49, {"Space", " "}},
    {51, {"\u232B", "\b"}},      {76, {"\u2305", "\x03"}},    {117, {"\u2326", "\x7F"}},
    {115, {"\u2196", "\uF729"}}, {119, {"\u2198", "\uF72B"}}, {116, {"\u21DE", "\uF72C"}},
    {121, {"\u21DF", "\uF72D"}}, {122, {"F1", "\uF704"}},     {120, {"F2", "\uF705"}},
    {99, {"F3", "\uF706"}},      {118, {"F4", "\uF707"}},     {96, {"F5", "\uF708"}},
    {97, {"F6", "\uF709"}},      {98, {"F7", "\uF70A"}},      {100, {"F8", "\uF70B"}},
    {101, {"F9", "\uF70C"}},     {109, {"F10", "\uF70D"}},    {103, {"F11", "\uF70E"}},
    {111, {"F12", "\uF70F"}},
}};

// The arrows, and the keypad's keys, whose characters the main keys type too: shown with the
// keypad's name, so a hotkey on the keypad's plus does not read as the main "+" (or as anything
// else stored with it).
constexpr std::array<std::pair<uint32_t, const char*>, 21> kNamedKeys{{
    {123, "\u2190"},  {124, "\u2192"},  {126, "\u2191"},      {125, "\u2193"},  {65, "Keypad ."},
    {67, "Keypad *"}, {69, "Keypad +"}, {71, "Keypad Clear"}, {75, "Keypad /"}, {78, "Keypad -"},
    {81, "Keypad ="}, {82, "Keypad 0"}, {83, "Keypad 1"},     {84, "Keypad 2"}, {85, "Keypad 3"},
    {86, "Keypad 4"}, {87, "Keypad 5"}, {88, "Keypad 6"},     {89, "Keypad 7"}, {91, "Keypad 8"},
    {92, "Keypad 9"},
}};

template <class Table> auto find(const Table& table, uint32_t keyCode) {
    for (const auto& [code, text] : table) {
        if (code == keyCode) {
            return std::optional(text);
        }
    }
    return std::optional<typename Table::value_type::second_type>();
}

} // namespace

std::optional<SpecialKeyText> specialKeyText(uint32_t keyCode) {
    return find(kSpecialKeys, keyCode);
}

std::optional<std::string> keyCodeText(uint32_t keyCode) {
    if (const auto special = specialKeyText(keyCode)) {
        return special->displayKey;
    }
    if (const auto named = find(kNamedKeys, keyCode)) {
        return *named;
    }
    if (keyCode > 0xFFFF) {
        return std::nullopt;
    }
    if (const auto character =
            printableKeyCharacter(charactersForKeyCode(static_cast<uint16_t>(keyCode)))) {
        return character->uppercase;
    }
    return std::nullopt;
}

} // namespace tessarin
