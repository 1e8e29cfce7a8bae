#pragma once

#include "Platform/SystemSettings/SystemSettingsWindowPlacement.h"

namespace tessarin {

class Host;

// The desktop as System Settings sees it from the program's windows: the machine's screen (the
// host's displays when there is none) and the frames, title bars included, of the program's
// floating windows that a window manager keeps above System Settings' (the health window, also
// while it steps back; not the small floating panels, which stand above every pane anyway).
SystemSettingsDesk readSystemSettingsDesk(Host& host);

} // namespace tessarin
