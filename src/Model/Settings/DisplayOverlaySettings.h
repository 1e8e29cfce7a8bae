#pragma once

#include "Model/Settings/OSDPlacement.h"
#include "Model/Settings/PersistentGridOverlayActiveColor.h"
#include "Model/Settings/PersistentGridOverlayOpacity.h"
#include "Model/Settings/PersistentGridOverlaySize.h"

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
