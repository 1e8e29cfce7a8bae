#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace tessarin {

// What a single key does inside an open grid.
enum class OSDKeyBindingAction { hide, moveLeft, moveRight, moveUp, moveDown, select };

inline constexpr std::array<OSDKeyBindingAction, 6> kAllOSDKeyBindingActions{
    OSDKeyBindingAction::hide,   OSDKeyBindingAction::moveLeft, OSDKeyBindingAction::moveRight,
    OSDKeyBindingAction::moveUp, OSDKeyBindingAction::moveDown, OSDKeyBindingAction::select};

std::string_view rawValue(OSDKeyBindingAction action);
std::optional<OSDKeyBindingAction> osdKeyBindingActionFromRawValue(std::string_view raw);

} // namespace tessarin
