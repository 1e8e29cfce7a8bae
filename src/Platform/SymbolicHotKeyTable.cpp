#include "Platform/SymbolicHotKeyTable.h"

#include "Platform/Preferences/Preferences.h"

#include <limits>
#include <string>

namespace tessarin {

namespace {

// Arrow keys carry the function-key flag alongside Control.
constexpr uint64_t kControlArrowFlags = 0x840000;
constexpr uint16_t kNoCharacter = 65535;

struct BuiltInShortcut {
    int hotKey;
    SymbolicHotKeyValue value;
};

constexpr BuiltInShortcut kBuiltIns[] = {
    {32, {kNoCharacter, 126, kControlArrowFlags}}, // Mission Control
    {33, {kNoCharacter, 125, kControlArrowFlags}}, // Application Windows
    {79, {kNoCharacter, 123, kControlArrowFlags}}, // Move left a Space
    {81, {kNoCharacter, 124, kControlArrowFlags}}, // Move right a Space
};

std::optional<SymbolicHotKeyValue> builtIn(int hotKey) {
    for (const BuiltInShortcut& shortcut : kBuiltIns) {
        if (shortcut.hotKey == hotKey) {
            return shortcut.value;
        }
    }
    return std::nullopt;
}

template <typename T> std::optional<T> unsignedField(const PropertyValue& value) {
    const auto number = value.integerValue();
    if (!number || *number < 0 || static_cast<uint64_t>(*number) > std::numeric_limits<T>::max()) {
        return std::nullopt;
    }
    return static_cast<T>(*number);
}

std::optional<bool> enabledFlag(const PropertyValue& entry) {
    const PropertyValue* enabled = entry.member("enabled");
    if (enabled == nullptr) {
        return std::nullopt;
    }
    if (const auto flag = enabled->boolValue()) {
        return flag;
    }
    if (const auto number = enabled->integerValue()) {
        return *number != 0;
    }
    return std::nullopt;
}

} // namespace

SymbolicHotKeyTable::SymbolicHotKeyTable(Preferences& preferences) : preferences_(preferences) {}

std::optional<PropertyValue> SymbolicHotKeyTable::storedEntry(int hotKey) const {
    const auto table = preferences_.copyAppValue(kKey, kDomain);
    if (!table) {
        return std::nullopt;
    }
    const PropertyValue* entry = table->member(std::to_string(hotKey));
    if (entry == nullptr) {
        return std::nullopt;
    }
    return *entry;
}

std::optional<SymbolicHotKeyValue> SymbolicHotKeyTable::value(int hotKey) const {
    const auto entry = storedEntry(hotKey);
    if (!entry) {
        return builtIn(hotKey);
    }
    const PropertyValue* value = entry->member("value");
    const PropertyValue* parameters = value == nullptr ? nullptr : value->member("parameters");
    const PropertyArray* list = parameters == nullptr ? nullptr : parameters->array();
    if (list == nullptr || list->size() < 3) {
        return std::nullopt;
    }
    const auto character = unsignedField<uint16_t>((*list)[0]);
    const auto keyCode = unsignedField<uint16_t>((*list)[1]);
    const auto flags = unsignedField<uint64_t>((*list)[2]);
    if (!character || !keyCode || !flags) {
        return std::nullopt;
    }
    return SymbolicHotKeyValue{*character, *keyCode, *flags};
}

bool SymbolicHotKeyTable::isEnabled(int hotKey) const {
    const auto entry = storedEntry(hotKey);
    if (!entry) {
        return builtIn(hotKey).has_value();
    }
    return enabledFlag(*entry).value_or(false) && value(hotKey).has_value();
}

int SymbolicHotKeyTable::setEnabled(int hotKey, bool enabled) {
    auto entry = storedEntry(hotKey);
    if (!entry) {
        const auto defaultValue = builtIn(hotKey);
        if (!defaultValue) {
            return kIllegalArgument;
        }
        set(hotKey, *defaultValue, enabled);
        return 0;
    }
    auto dictionary = entry->dictionaryValue();
    if (!dictionary) {
        return kIllegalArgument;
    }
    (*dictionary)["enabled"] = enabled;
    auto table =
        preferences_.copyAppValue(kKey, kDomain)->dictionaryValue().value_or(PropertyDictionary{});
    table[std::to_string(hotKey)] = std::move(*dictionary);
    preferences_.setAppValue(kKey, PropertyValue(std::move(table)), kDomain);
    return 0;
}

void SymbolicHotKeyTable::set(int hotKey, const SymbolicHotKeyValue& value, bool enabled) {
    PropertyDictionary table;
    if (const auto stored = preferences_.copyAppValue(kKey, kDomain)) {
        table = stored->dictionaryValue().value_or(PropertyDictionary{});
    }
    table[std::to_string(hotKey)] = entry(value, enabled);
    preferences_.setAppValue(kKey, PropertyValue(std::move(table)), kDomain);
}

PropertyValue SymbolicHotKeyTable::entry(const SymbolicHotKeyValue& value, bool enabled) {
    PropertyArray parameters{PropertyValue(value.keyEquivalent),
                             PropertyValue(value.virtualKeyCode),
                             PropertyValue(static_cast<int64_t>(value.modifierFlags))};
    PropertyDictionary valueDictionary{{"parameters", PropertyValue(std::move(parameters))},
                                       {"type", PropertyValue("standard")}};
    return PropertyValue(PropertyDictionary{{"enabled", PropertyValue(enabled)},
                                            {"value", PropertyValue(std::move(valueDictionary))}});
}

} // namespace tessarin
