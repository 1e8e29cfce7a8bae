#include "Hotkeys/TessarinMissionControlKeyboardShortcutPreset.h"

#include "Hotkeys/HotkeyStore.h"
#include "Hotkeys/SystemShortcutConflictDetecting.h"
#include "Platform/Preferences/UserDefaults.h"

#include <algorithm>

namespace tessarin {

namespace {

struct RequiredSystemShortcut {
    HotkeyCombination combination;
    int symbolicHotKeyID;
};

std::array<RequiredSystemShortcut, 4> requiredDefaults() {
    return {{{HotkeyCombination::missionControlPresetLeft(), 79},
             {HotkeyCombination::missionControlPresetRight(), 81},
             {HotkeyCombination::missionControlPresetUp(), 32},
             {HotkeyCombination::missionControlPresetDown(), 33}}};
}

bool isBoundToSystemShortcut(const RequiredSystemShortcut& required,
                             const SystemShortcutConflictDetecting& conflictDetector) {
    const auto conflicts = conflictDetector.conflicts(required.combination);
    return std::any_of(conflicts.begin(), conflicts.end(), [&](const auto& conflict) {
        return conflict.symbolicHotKeyID == required.symbolicHotKeyID;
    });
}

} // namespace

std::array<TessarinMissionControlKeyboardShortcutPreset::Assignment, 5>
TessarinMissionControlKeyboardShortcutPreset::assignments() {
    return {{{HotkeyIdentifier::showOSD, defaultCombination(HotkeyIdentifier::showOSD)},
             {HotkeyIdentifier::left, HotkeyCombination::missionControlPresetLeft()},
             {HotkeyIdentifier::right, HotkeyCombination::missionControlPresetRight()},
             {HotkeyIdentifier::up, HotkeyCombination::missionControlPresetUp()},
             {HotkeyIdentifier::down, HotkeyCombination::missionControlPresetDown()}}};
}

bool TessarinMissionControlKeyboardShortcutPreset::applyIfAvailableOnce(
    HotkeyStore& hotkeyStore, const SystemShortcutConflictDetecting& conflictDetector,
    UserDefaults& defaults) {
    if (defaults.boolValue(appliedKey).value_or(false)) {
        return false;
    }
    for (const RequiredSystemShortcut& required : requiredDefaults()) {
        if (!isBoundToSystemShortcut(required, conflictDetector)) {
            return false;
        }
    }
    hotkeyStore.applyMissionControlKeyboardShortcutPreset();
    defaults.set(appliedKey, true);
    return true;
}

} // namespace tessarin
