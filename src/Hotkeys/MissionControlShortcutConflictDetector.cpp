#include "Hotkeys/MissionControlShortcutConflictDetector.h"

#include "Platform/Host.h"
#include "Platform/Preferences/Preferences.h"
#include "Platform/SymbolicHotKeyTable.h"

#include <limits>
#include <string>

namespace tessarin {

namespace {

struct ShortcutSignature {
    uint32_t keyCode = 0;
    uint32_t modifiers = 0;
    friend bool operator==(const ShortcutSignature&, const ShortcutSignature&) = default;
};

struct SymbolicHotKeyDefinition {
    int id = 0;
    std::string displayName;
    std::optional<ShortcutSignature> defaultSignature;
};

std::vector<SymbolicHotKeyDefinition> makeDefinitions() {
    const uint32_t control = HotkeyModifier::control;
    std::vector<SymbolicHotKeyDefinition> definitions{
        {32, "Mission Control", ShortcutSignature{126, control}},
        {33, "Application Windows", ShortcutSignature{125, control}},
        {34, "Mission Control (slow motion)", std::nullopt},
        {35, "Application Windows (slow motion)", std::nullopt},
        {36, "Show Desktop", std::nullopt},
        {37, "Show Desktop (slow motion)", std::nullopt},
        {79, "Move left a Space", ShortcutSignature{123, control}},
        {80, "Move left a Space (slow motion)", std::nullopt},
        {81, "Move right a Space", ShortcutSignature{124, control}},
        {82, "Move right a Space (slow motion)", std::nullopt},
    };
    for (int desktop = 1; desktop <= 16; ++desktop) {
        definitions.push_back(
            {117 + desktop, "Switch to Desktop " + std::to_string(desktop), std::nullopt});
    }
    return definitions;
}

const std::vector<SymbolicHotKeyDefinition>& missionControlDefinitions() {
    static const std::vector<SymbolicHotKeyDefinition> definitions = makeDefinitions();
    return definitions;
}

std::optional<uint32_t> unsigned32(const PropertyValue& value) {
    const auto number = value.integerValue();
    if (!number || *number < 0 || *number > std::numeric_limits<uint32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<uint32_t>(*number);
}

bool isEnabled(const PropertyValue& entry) {
    const PropertyValue* enabled = entry.member("enabled");
    if (enabled == nullptr) {
        return false;
    }
    if (const auto flag = enabled->boolValue()) {
        return *flag;
    }
    const auto number = enabled->doubleValue();
    return number && *number != 0;
}

// The system stores event modifier flags; older entries carry the Carbon bits themselves.
uint32_t carbonMask(uint32_t flags) {
    uint32_t mask = 0;
    if (flags & (0x100000 | HotkeyModifier::command)) {
        mask |= HotkeyModifier::command;
    }
    if (flags & (0x80000 | HotkeyModifier::option)) {
        mask |= HotkeyModifier::option;
    }
    if (flags & (0x40000 | HotkeyModifier::control)) {
        mask |= HotkeyModifier::control;
    }
    if (flags & (0x20000 | HotkeyModifier::shift)) {
        mask |= HotkeyModifier::shift;
    }
    return mask;
}

std::optional<ShortcutSignature> storedSignature(const PropertyValue& entry) {
    if (!entry.isDictionary() || !isEnabled(entry)) {
        return std::nullopt;
    }
    const PropertyValue* value = entry.member("value");
    const PropertyValue* parameters = value ? value->member("parameters") : nullptr;
    const PropertyArray* list = parameters ? parameters->array() : nullptr;
    if (list == nullptr || list->size() < 3) {
        return std::nullopt;
    }
    const auto keyCode = unsigned32((*list)[1]);
    const auto modifiers = unsigned32((*list)[2]);
    if (!keyCode || !modifiers) {
        return std::nullopt;
    }
    return ShortcutSignature{*keyCode, carbonMask(*modifiers)};
}

std::optional<ShortcutSignature> signature(const SymbolicHotKeyDefinition& definition,
                                           const std::optional<PropertyDictionary>& hotKeys) {
    if (!hotKeys) {
        return definition.defaultSignature;
    }
    const auto entry = hotKeys->find(std::to_string(definition.id));
    if (entry == hotKeys->end()) {
        return definition.defaultSignature;
    }
    return storedSignature(entry->second);
}

} // namespace

MissionControlShortcutConflictDetector::MissionControlShortcutConflictDetector(
    SymbolicHotKeysProvider symbolicHotKeysProvider)
    : symbolicHotKeysProvider_(std::move(symbolicHotKeysProvider)) {}

std::vector<SystemKeyboardShortcutConflict>
MissionControlShortcutConflictDetector::conflicts(const HotkeyCombination& combination) const {
    const auto hotKeys = symbolicHotKeysProvider_();
    const ShortcutSignature wanted{combination.keyCode, combination.modifiers};
    std::vector<SystemKeyboardShortcutConflict> result;
    for (const SymbolicHotKeyDefinition& definition : missionControlDefinitions()) {
        if (signature(definition, hotKeys) == wanted) {
            result.push_back({definition.id, definition.displayName});
        }
    }
    return result;
}

std::optional<PropertyDictionary> MissionControlShortcutConflictDetector::loadSymbolicHotKeys() {
    Preferences& preferences = Host::current().preferences();
    preferences.appSynchronize(SymbolicHotKeyTable::kDomain);
    const auto value =
        preferences.copyAppValue(SymbolicHotKeyTable::kKey, SymbolicHotKeyTable::kDomain);
    return value ? value->dictionaryValue() : std::nullopt;
}

} // namespace tessarin
