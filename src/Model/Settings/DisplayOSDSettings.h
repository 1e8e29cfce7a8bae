#pragma once

#include "Model/Settings/OSDActiveSpaceBorderWidth.h"
#include "Model/Settings/OSDActiveSpaceGlowOpacity.h"
#include "Model/Settings/OSDActiveSpaceGlowSpread.h"
#include "Model/Settings/OSDAppearanceMode.h"
#include "Model/Settings/OSDGridOpacity.h"
#include "Model/Settings/OSDGridSize.h"
#include "Model/Settings/OSDHeaderIconStyle.h"
#include "Model/Settings/OSDPlacement.h"
#include "Model/Settings/OSDPreviewTint.h"

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
