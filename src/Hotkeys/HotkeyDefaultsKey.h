#pragma once

#include "Hotkeys/HotkeyAction.h"

#include <string>

namespace tessarin {

// Where an action's values live in the user defaults. The cursor display uses
// "<prefix>.<identifier>", a display "<prefix>.display.<display key>.<identifier>".
std::string hotkeyCombinationKey(const HotkeyAction& action);
std::string hotkeyEnabledKey(const HotkeyAction& action);
std::string hotkeySystemShortcutOverrideKey(const HotkeyAction& action);

} // namespace tessarin
