#include "Hotkeys/HotkeyRegistrationIdentity.h"

namespace tessarin {

std::string HotkeyRegistrationIdentity::ownerName() const {
    if (const auto* hotkeyAction = std::get_if<HotkeyAction>(&owner)) {
        return hotkeyAction->displayName();
    }
    return "Workspace";
}

} // namespace tessarin
