#pragma once

#include "Support/Environment.h"

namespace tessarin {

// Whether raw input drives navigation (`authoritative`), or the Dock-swipe tap does and raw
// recognitions are only compared with it (`shadow`, for diagnosing the recogniser).
enum class TrackpadRawNavigationMode { shadow, authoritative };

inline TrackpadRawNavigationMode currentTrackpadRawNavigationMode() {
    return isSwitchValueExactlyOne(Environment::value("TESSARIN_TRACKPAD_RAW_SHADOW"))
               ? TrackpadRawNavigationMode::shadow
               : TrackpadRawNavigationMode::authoritative;
}

} // namespace tessarin
