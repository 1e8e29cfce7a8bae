#pragma once

#include "UI/Settings/OSDActiveSpaceBorderWidth.h"
#include "UI/Settings/OSDActiveSpaceGlowOpacity.h"
#include "UI/Settings/OSDActiveSpaceGlowSpread.h"
#include "UI/Settings/OSDAppearanceMode.h"
#include "UI/Settings/OSDGridOpacity.h"
#include "UI/Settings/OSDGridSize.h"
#include "UI/Settings/OSDHeaderIconStyle.h"
#include "UI/Settings/OSDPlacement.h"
#include "UI/Settings/OSDPreviewTint.h"

namespace tessarin {

// The OSD settings of one display, resolved from its overrides, the global values and the
// defaults. `isEnabled` false means the OSD is not shown after a switch on that display.
struct DisplayOSDSettings {
    bool isEnabled = true;
    OSDAppearanceMode appearanceMode = kDefaultOSDAppearanceMode;
    OSDHeaderIconStyle headerIconStyle = kDefaultOSDHeaderIconStyle;
    OSDPlacement labelPlacement = OSDPlacement::center;
    OSDPlacement gridPlacement = OSDPlacement::center;
    OSDGridSize gridSize = kDefaultOSDGridSize;
    OSDGridOpacity gridOpacity = kDefaultOSDGridOpacity;
    OSDPreviewTint previewTint;
    OSDActiveSpaceBorderWidth activeSpaceBorderWidth;
    OSDActiveSpaceGlowSpread activeSpaceGlowSpread;
    OSDActiveSpaceGlowOpacity activeSpaceGlowOpacity;

    friend bool operator==(const DisplayOSDSettings&, const DisplayOSDSettings&) = default;
};

} // namespace tessarin
