#include "Hotkeys/HotkeyCombination.h"

#include "Hotkeys/HotkeyIdentifier.h"
#include "Hotkeys/KeyCodeText.h"

#include <functional>
#include <limits>

namespace tessarin {

namespace {

std::optional<uint32_t> uint32Member(const Json& object, std::string_view key) {
    const auto value = jsonUnsigned(object, key);
    if (!value || *value > std::numeric_limits<uint32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<uint32_t>(*value);
}

void combineHash(std::size_t& seed, std::size_t value) {
    seed ^= value + 0x9e3779b97f4a7c15ULL + (seed << 6) + (seed >> 2);
}

} // namespace

std::string HotkeyCombination::symbols(uint32_t modifiers) {
    std::string text;
    if (modifiers & HotkeyModifier::command) {
        text += "\u2318";
    }
    if (modifiers & HotkeyModifier::option) {
        text += "\u2325";
    }
    if (modifiers & HotkeyModifier::control) {
        text += "\u2303";
    }
    if (modifiers & HotkeyModifier::shift) {
        text += "\u21E7";
    }
    return text;
}

HotkeyCombination HotkeyCombination::defaultLeft() {
    return defaultCombination(HotkeyIdentifier::left);
}

HotkeyCombination HotkeyCombination::defaultRight() {
    return defaultCombination(HotkeyIdentifier::right);
}

HotkeyCombination HotkeyCombination::defaultUp() {
    return defaultCombination(HotkeyIdentifier::up);
}

HotkeyCombination HotkeyCombination::defaultDown() {
    return defaultCombination(HotkeyIdentifier::down);
}

HotkeyCombination HotkeyCombination::missionControlPresetLeft() {
    return {123, HotkeyModifier::control, "\u2190", "\uF702"};
}

HotkeyCombination HotkeyCombination::missionControlPresetRight() {
    return {124, HotkeyModifier::control, "\u2192", "\uF703"};
}

HotkeyCombination HotkeyCombination::missionControlPresetUp() {
    return {126, HotkeyModifier::control, "\u2191", "\uF700"};
}

HotkeyCombination HotkeyCombination::missionControlPresetDown() {
    return {125, HotkeyModifier::control, "\u2193", "\uF701"};
}

std::string HotkeyCombination::shownKey() const {
    return keyCodeText(keyCode).value_or(displayKey);
}

std::string HotkeyCombination::displayString() const {
    return symbols(modifiers) + shownKey();
}

Json HotkeyCombination::toJson() const {
    return Json{{"keyCode", keyCode},
                {"modifiers", modifiers},
                {"displayKey", displayKey},
                {"keyEquivalent", keyEquivalent}};
}

std::optional<HotkeyCombination> HotkeyCombination::fromJson(const Json& json) {
    const auto keyCode = uint32Member(json, "keyCode");
    const auto modifiers = uint32Member(json, "modifiers");
    auto displayKey = jsonString(json, "displayKey");
    auto keyEquivalent = jsonString(json, "keyEquivalent");
    if (!keyCode || !modifiers || !displayKey || !keyEquivalent) {
        return std::nullopt;
    }
    return HotkeyCombination{*keyCode, *modifiers, std::move(*displayKey),
                             std::move(*keyEquivalent)};
}

std::vector<uint8_t> HotkeyCombination::encodedData() const {
    return compactJsonData(toJson());
}

std::optional<HotkeyCombination> HotkeyCombination::decode(const std::vector<uint8_t>& data) {
    const auto parsed = parseJsonData(data);
    return parsed ? fromJson(*parsed.value) : std::nullopt;
}

} // namespace tessarin

std::size_t std::hash<tessarin::HotkeyCombination>::operator()(
    const tessarin::HotkeyCombination& combination) const noexcept {
    std::size_t seed = std::hash<uint32_t>{}(combination.keyCode);
    tessarin::combineHash(seed, std::hash<uint32_t>{}(combination.modifiers));
    tessarin::combineHash(seed, std::hash<std::string>{}(combination.displayKey));
    tessarin::combineHash(seed, std::hash<std::string>{}(combination.keyEquivalent));
    return seed;
}
