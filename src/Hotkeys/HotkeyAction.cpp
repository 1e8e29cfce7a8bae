#include "Hotkeys/HotkeyAction.h"

#include "Model/Spaces/TessarinDisplayCatalog.h"

#include <functional>
#include <optional>

namespace tessarin {

namespace {

std::optional<HotkeyCombination> missionControlPreset(HotkeyIdentifier identifier) {
    switch (identifier) {
    case HotkeyIdentifier::left:
        return HotkeyCombination::missionControlPresetLeft();
    case HotkeyIdentifier::right:
        return HotkeyCombination::missionControlPresetRight();
    case HotkeyIdentifier::up:
        return HotkeyCombination::missionControlPresetUp();
    case HotkeyIdentifier::down:
        return HotkeyCombination::missionControlPresetDown();
    default:
        return std::nullopt;
    }
}

} // namespace

std::string HotkeyAction::displayName() const {
    if (scope.isCursorDisplay()) {
        return tessarin::displayName(identifier);
    }
    return TessarinDisplayCatalog::name(*scope.displayKey()) + ": " +
           displaySpecificName(identifier);
}

bool HotkeyAction::shouldAlwaysOverrideMissionControlShortcut(
    const HotkeyCombination& combination) const {
    return shouldAlwaysOverrideMissionControlShortcut(combination, identifier);
}

bool HotkeyAction::shouldAlwaysOverrideMissionControlShortcut(const HotkeyCombination& combination,
                                                              HotkeyIdentifier identifier) {
    const auto preset = missionControlPreset(identifier);
    return preset && *preset == combination;
}

} // namespace tessarin

std::size_t
std::hash<tessarin::HotkeyAction>::operator()(const tessarin::HotkeyAction& action) const noexcept {
    std::size_t seed = std::hash<int>{}(static_cast<int>(action.identifier));
    seed ^= std::hash<tessarin::HotkeyScope>{}(action.scope) + 0x9e3779b97f4a7c15ULL + (seed << 6) +
            (seed >> 2);
    return seed;
}
