#pragma once

#include "Support/Geometry.h"

namespace tessarin {

class Host;

// The machine's pointer as the host's: where it lies on one of the host's displays as the
// machine's screen shows them, the host's mouse moves there (the host's pointer follows, and a
// moved event travels the session). Nothing when it lies on none of them, or when the displays
// are shown on no screen of the machine (offscreen, in tests).
void followMachinePointer(Host& host, Point machinePoint);
// The same, with the machine's pointer where it is now, on the current host (nothing when
// there is none).
void followMachinePointer();

} // namespace tessarin
