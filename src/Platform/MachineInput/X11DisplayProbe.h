#pragma once

#include <string>

namespace tessarin {

// Whether an X server answers at the display name (":0", "host:1.0"): the toolkit gives up the
// whole process when it cannot open its display, so the program asks first.
bool x11DisplayOpens(const std::string& displayName);

} // namespace tessarin
