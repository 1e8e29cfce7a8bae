#pragma once

#include "UI/Settings/OSDPlacement.h"
#include "UI/Settings/PersistentGridOverlayActiveColor.h"
#include "UI/Settings/PersistentGridOverlayOpacity.h"
#include "UI/Settings/PersistentGridOverlaySize.h"

namespace tessarin {

// The always-visible grid overlay of one display.
struct DisplayOverlaySettings {
    bool isEnabled = false;
    OSDPlacement placement = OSDPlacement::bottomRight;
    PersistentGridOverlayOpacity opacity = kDefaultPersistentGridOverlayOpacity;
    PersistentGridOverlaySize size = kDefaultPersistentGridOverlaySize;
    PersistentGridOverlayActiveColor activeColor;

    friend bool operator==(const DisplayOverlaySettings&, const DisplayOverlaySettings&) = default;
};

} // namespace tessarin
