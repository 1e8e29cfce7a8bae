#pragma once

#include "Hotkeys/HotkeyCombination.h"
#include "Hotkeys/HotkeyIdentifier.h"

#include <QString>
#include <optional>
#include <string>

namespace tessarin {

// The line shown under a combination that the machine's keyboard cannot deliver to the host
// (the display server keeps it, or another program holds it), as the host's hot key service
// reports it; nothing for one that can be pressed.
std::optional<std::string> hotkeyDeliveryWarning(const HotkeyCombination& combination);

// The identifier of that line under a hotkey's row.
QString hotkeyDeliveryWarningIdentifier(HotkeyIdentifier identifier);

} // namespace tessarin
