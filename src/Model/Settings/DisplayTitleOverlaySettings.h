#pragma once

#include "Model/Settings/OSDPlacement.h"
#include "Model/Settings/PersistentTitleOverlayFont.h"
#include "Model/Settings/PersistentTitleOverlayOpacity.h"

namespace tessarin {

// The always-visible title overlay of one display.
struct DisplayTitleOverlaySettings {
    bool isEnabled = false;
    OSDPlacement placement = OSDPlacement::topLeft;
    PersistentTitleOverlayOpacity opacity = kDefaultPersistentTitleOverlayOpacity;
    PersistentTitleOverlayFont font;

    friend bool operator==(const DisplayTitleOverlaySettings&,
                           const DisplayTitleOverlaySettings&) = default;
};

} // namespace tessarin
