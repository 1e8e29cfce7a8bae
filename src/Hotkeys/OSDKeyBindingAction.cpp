#include "Hotkeys/OSDKeyBindingAction.h"

namespace tessarin {

std::string_view rawValue(OSDKeyBindingAction action) {
    switch (action) {
    case OSDKeyBindingAction::hide:
        return "hide";
    case OSDKeyBindingAction::moveLeft:
        return "moveLeft";
    case OSDKeyBindingAction::moveRight:
        return "moveRight";
    case OSDKeyBindingAction::moveUp:
        return "moveUp";
    case OSDKeyBindingAction::moveDown:
        return "moveDown";
    case OSDKeyBindingAction::select:
        return "select";
    }
    return "";
}

std::optional<OSDKeyBindingAction> osdKeyBindingActionFromRawValue(std::string_view raw) {
    for (OSDKeyBindingAction action : kAllOSDKeyBindingActions) {
        if (rawValue(action) == raw) {
            return action;
        }
    }
    return std::nullopt;
}

} // namespace tessarin
