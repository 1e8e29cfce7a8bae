#pragma once

#include "UI/OSDPlacement.h"
#include "UI/PersistentGridOverlayActiveColor.h"
#include "UI/PersistentGridOverlayOpacity.h"
#include "UI/PersistentGridOverlaySize.h"

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
