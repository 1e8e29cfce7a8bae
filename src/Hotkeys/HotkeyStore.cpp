#include "Hotkeys/HotkeyStore.h"

#include "Hotkeys/HotkeyDefaultsKey.h"
#include "Hotkeys/TessarinMissionControlKeyboardShortcutPreset.h"
#include "Platform/Host.h"
#include "Platform/Preferences/UserDefaults.h"

#include <algorithm>

namespace tessarin {

namespace {

bool isMissionControlOverrideIdentifier(HotkeyIdentifier identifier) {
    const auto& identifiers = HotkeyStore::missionControlOverrideIdentifiers;
    return std::find(identifiers.begin(), identifiers.end(), identifier) != identifiers.end();
}

} // namespace

HotkeyStore::HotkeyStore(UserDefaults& defaults) : defaults_(defaults) {
    for (HotkeyIdentifier identifier : kAllHotkeyIdentifiers) {
        const HotkeyAction action = HotkeyAction::cursor(identifier);
        global_.combinations[identifier] =
            storedCombination(action).value_or(defaultCombination(identifier));
        global_.enabled[identifier] = defaults_.boolValue(hotkeyEnabledKey(action)).value_or(true);
        global_.systemShortcutOverrides[identifier] =
            defaults_.boolValue(hotkeySystemShortcutOverrideKey(action)).value_or(false);
    }
}

HotkeyStore& HotkeyStore::shared() {
    return Host::current().sharedInstance<HotkeyStore>(
        [](Host& host) { return std::make_shared<HotkeyStore>(host.defaults()); });
}

std::optional<HotkeyCombination> HotkeyStore::storedCombination(const HotkeyAction& action) const {
    const auto data = defaults_.dataValue(hotkeyCombinationKey(action));
    return data ? HotkeyCombination::decode(*data) : std::nullopt;
}

void HotkeyStore::ensureDisplaySpecificScopeLoaded(const std::string& displayKey) {
    if (displays_.contains(displayKey)) {
        return;
    }
    ScopeTables loaded;
    for (HotkeyIdentifier identifier : kDisplaySpecificHotkeyIdentifiers) {
        const HotkeyAction action = HotkeyAction::onDisplay(identifier, displayKey);
        if (auto combination = storedCombination(action)) {
            loaded.combinations[identifier] = std::move(*combination);
        }
        loaded.enabled[identifier] = defaults_.boolValue(hotkeyEnabledKey(action)).value_or(false);
        loaded.systemShortcutOverrides[identifier] =
            defaults_.boolValue(hotkeySystemShortcutOverrideKey(action)).value_or(false);
    }
    displays_.emplace(displayKey, std::move(loaded));
}

HotkeyStore::ScopeTables& HotkeyStore::tables(const HotkeyScope& scope) {
    if (scope.isCursorDisplay()) {
        return global_;
    }
    ensureDisplaySpecificScopeLoaded(*scope.displayKey());
    return displays_.at(*scope.displayKey());
}

std::optional<HotkeyCombination> HotkeyStore::combination(const HotkeyAction& action) {
    const auto& combinations = tables(action.scope).combinations;
    const auto found = combinations.find(action.identifier);
    if (found != combinations.end()) {
        return found->second;
    }
    if (action.scope.isCursorDisplay()) {
        return defaultCombination(action.identifier);
    }
    return std::nullopt;
}

HotkeyCombination HotkeyStore::combination(HotkeyIdentifier identifier) const {
    const auto found = global_.combinations.find(identifier);
    return found != global_.combinations.end() ? found->second : defaultCombination(identifier);
}

bool HotkeyStore::isEnabled(const HotkeyAction& action) {
    const auto& enabled = tables(action.scope).enabled;
    const auto found = enabled.find(action.identifier);
    return found != enabled.end() ? found->second : action.scope.isCursorDisplay();
}

bool HotkeyStore::isSystemShortcutOverrideEnabled(const HotkeyAction& action) {
    const auto& overrides = tables(action.scope).systemShortcutOverrides;
    const auto found = overrides.find(action.identifier);
    return found != overrides.end() && found->second;
}

void HotkeyStore::writeCombination(const HotkeyAction& action,
                                   const HotkeyCombination& combination) {
    defaults_.set(hotkeyCombinationKey(action), combination.encodedData());
}

void HotkeyStore::update(const std::optional<HotkeyCombination>& combination,
                         const HotkeyAction& action) {
    if (!combination && action.scope.isCursorDisplay()) {
        return;
    }
    auto& combinations = tables(action.scope).combinations;
    const auto found = combinations.find(action.identifier);
    const std::optional<HotkeyCombination> current =
        found != combinations.end() ? std::optional(found->second) : std::nullopt;
    if (current == combination) {
        return;
    }
    if (combination) {
        combinations[action.identifier] = *combination;
        writeCombination(action, *combination);
    } else {
        combinations.erase(action.identifier);
        defaults_.remove(hotkeyCombinationKey(action));
    }
    setSystemShortcutOverrideEnabledWithoutRevision(false, action);
    raiseRevision();
}

void HotkeyStore::setEnabled(bool enabled, const HotkeyAction& action) {
    auto& flags = tables(action.scope).enabled;
    const auto found = flags.find(action.identifier);
    if (found != flags.end() && found->second == enabled) {
        return;
    }
    flags[action.identifier] = enabled;
    defaults_.set(hotkeyEnabledKey(action), enabled);
    if (!enabled) {
        setSystemShortcutOverrideEnabledWithoutRevision(false, action);
    }
    raiseRevision();
}

bool HotkeyStore::setSystemShortcutOverrideEnabledWithoutRevision(bool enabled,
                                                                  const HotkeyAction& action) {
    auto& flags = tables(action.scope).systemShortcutOverrides;
    const auto found = flags.find(action.identifier);
    if (found != flags.end() && found->second == enabled) {
        return false;
    }
    flags[action.identifier] = enabled;
    defaults_.set(hotkeySystemShortcutOverrideKey(action), enabled);
    return true;
}

void HotkeyStore::resetToDefaults(const HotkeyScope& scope) {
    if (scope.isCursorDisplay()) {
        for (HotkeyIdentifier identifier : kAllHotkeyIdentifiers) {
            const HotkeyAction action = HotkeyAction::cursor(identifier);
            global_.combinations[identifier] = defaultCombination(identifier);
            global_.enabled[identifier] = true;
            writeCombination(action, defaultCombination(identifier));
            defaults_.set(hotkeyEnabledKey(action), true);
            setSystemShortcutOverrideEnabledWithoutRevision(false, action);
        }
    } else {
        ScopeTables& display = tables(scope);
        for (HotkeyIdentifier identifier : kDisplaySpecificHotkeyIdentifiers) {
            const HotkeyAction action{identifier, scope};
            display.combinations.erase(identifier);
            display.enabled[identifier] = false;
            defaults_.remove(hotkeyCombinationKey(action));
            defaults_.set(hotkeyEnabledKey(action), false);
            setSystemShortcutOverrideEnabledWithoutRevision(false, action);
        }
    }
    raiseRevision();
}

bool HotkeyStore::countsForConflict(const HotkeyAction& candidate,
                                    const HotkeyCombination& combination) {
    if (!isEnabled(candidate)) {
        return false;
    }
    return this->combination(candidate) == combination;
}

std::optional<HotkeyAction>
HotkeyStore::conflict(const HotkeyCombination& combination,
                      const std::optional<HotkeyAction>& excluding,
                      const std::vector<std::string>& displayIdentifiers) {
    std::vector<HotkeyAction> candidates;
    for (HotkeyIdentifier identifier : kAllHotkeyIdentifiers) {
        candidates.push_back(HotkeyAction::cursor(identifier));
    }
    for (const std::string& displayIdentifier : displayIdentifiers) {
        for (HotkeyIdentifier identifier : kDisplaySpecificHotkeyIdentifiers) {
            candidates.push_back(HotkeyAction::onDisplay(identifier, displayIdentifier));
        }
    }
    for (const HotkeyAction& candidate : candidates) {
        if (candidate != excluding && countsForConflict(candidate, combination)) {
            return candidate;
        }
    }
    return std::nullopt;
}

void HotkeyStore::applyMissionControlKeyboardShortcutPreset() {
    for (const auto& assignment : TessarinMissionControlKeyboardShortcutPreset::assignments()) {
        const HotkeyAction action = HotkeyAction::cursor(assignment.identifier);
        update(assignment.combination, action);
        setEnabled(true, action);
        // Binding cleared the flag; the directions must take their keys from the system.
        if (setSystemShortcutOverrideEnabledWithoutRevision(
                isMissionControlOverrideIdentifier(assignment.identifier), action)) {
            raiseRevision();
        }
    }
}

bool HotkeyStore::isMissionControlKeyboardShortcutPresetApplied() const {
    const auto& assignments = TessarinMissionControlKeyboardShortcutPreset::assignments();
    return std::all_of(assignments.begin(), assignments.end(), [this](const auto& assignment) {
        const HotkeyIdentifier identifier = assignment.identifier;
        const bool overrideHolds = !isMissionControlOverrideIdentifier(identifier) ||
                                   global_.systemShortcutOverrides.at(identifier);
        return combination(identifier) == assignment.combination &&
               global_.enabled.at(identifier) && overrideHolds;
    });
}

void HotkeyStore::raiseRevision() {
    revision.set(revision.value() + 1);
}

} // namespace tessarin
