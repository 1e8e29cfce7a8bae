#include "Hotkeys/OSDKeyBinding.h"

#include "Hotkeys/HotkeyCombination.h"
#include "Hotkeys/KeyCharacter.h"

#include <limits>
#include <map>

namespace tessarin {

namespace {

constexpr const char* kReturnGlyph = "\u21A9";

// Unlike hotkeys, the grid's keys include Escape and the arrows, and keypad Enter is Return.
const std::map<uint16_t, const char*>& specialKeyTexts() {
    static const std::map<uint16_t, const char*> texts{
        {36, kReturnGlyph}, {76, kReturnGlyph}, {48, "\u21E5"},  {49, "Space"},   {51, "\u232B"},
        {53, "Esc"},        {117, "\u2326"},    {115, "\u2196"}, {119, "\u2198"}, {116, "\u21DE"},
        {121, "\u21DF"},    {123, "\u2190"},    {124, "\u2192"}, {125, "\u2193"}, {126, "\u2191"},
        {122, "F1"},        {120, "F2"},        {99, "F3"},      {118, "F4"},     {96, "F5"},
        {97, "F6"},         {98, "F7"},         {100, "F8"},     {101, "F9"},     {109, "F10"},
        {103, "F11"},       {111, "F12"}};
    return texts;
}

template <typename T> std::optional<T> unsignedMember(const Json& object, std::string_view key) {
    const auto value = jsonUnsigned(object, key);
    if (!value || *value > std::numeric_limits<T>::max()) {
        return std::nullopt;
    }
    return static_cast<T>(*value);
}

} // namespace

OSDKeyBinding OSDKeyBinding::defaultBinding(OSDKeyBindingAction action) {
    switch (action) {
    case OSDKeyBindingAction::hide:
        return {53, 0, "Esc"};
    case OSDKeyBindingAction::moveLeft:
        return {123, 0, "\u2190"};
    case OSDKeyBindingAction::moveRight:
        return {124, 0, "\u2192"};
    case OSDKeyBindingAction::moveUp:
        return {126, 0, "\u2191"};
    case OSDKeyBindingAction::moveDown:
        return {125, 0, "\u2193"};
    case OSDKeyBindingAction::select:
        return {returnKeyCode, 0, kReturnGlyph};
    }
    return {};
}

std::optional<OSDKeyBinding> OSDKeyBinding::from(const Event& event) {
    if (HotkeyCombination::carbonMask(event.flags) != 0) {
        return std::nullopt;
    }
    const uint16_t keyCode = event.keyCode();
    const auto& texts = specialKeyTexts();
    if (const auto special = texts.find(keyCode); special != texts.end()) {
        return OSDKeyBinding{keyCode, 0, special->second}.normalized();
    }
    if (const auto character = printableKeyCharacter(event.characters)) {
        return OSDKeyBinding{keyCode, 0, character->uppercase};
    }
    return std::nullopt;
}

std::string OSDKeyBinding::modifierSymbols(uint32_t modifiers) {
    return HotkeyCombination::symbols(modifiers);
}

OSDKeyBinding OSDKeyBinding::normalized() const {
    OSDKeyBinding result = *this;
    if (result.keyCode == keypadEnterKeyCode) {
        result.keyCode = returnKeyCode;
    }
    if (result.keyCode == returnKeyCode) {
        result.displayKey = kReturnGlyph;
    }
    return result;
}

bool OSDKeyBinding::hasSameKey(uint16_t otherKeyCode) const {
    const auto canonical = [](uint16_t code) {
        return code == keypadEnterKeyCode ? returnKeyCode : code;
    };
    return canonical(keyCode) == canonical(otherKeyCode);
}

Json OSDKeyBinding::toJson() const {
    return Json{{"keyCode", keyCode}, {"modifiers", modifiers}, {"displayKey", displayKey}};
}

std::optional<OSDKeyBinding> OSDKeyBinding::fromJson(const Json& json) {
    const auto keyCode = unsignedMember<uint16_t>(json, "keyCode");
    const auto modifiers = unsignedMember<uint32_t>(json, "modifiers");
    auto displayKey = jsonString(json, "displayKey");
    if (!keyCode || !modifiers || !displayKey) {
        return std::nullopt;
    }
    return OSDKeyBinding{*keyCode, *modifiers, std::move(*displayKey)};
}

std::vector<uint8_t> OSDKeyBinding::encodedData() const {
    return compactJsonData(toJson());
}

std::optional<OSDKeyBinding> OSDKeyBinding::decode(const std::vector<uint8_t>& data) {
    const auto parsed = parseJsonData(data);
    return parsed ? fromJson(*parsed.value) : std::nullopt;
}

} // namespace tessarin
