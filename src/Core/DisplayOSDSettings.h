#pragma once

#include "UI/OSDActiveSpaceBorderWidth.h"
#include "UI/OSDActiveSpaceGlowOpacity.h"
#include "UI/OSDActiveSpaceGlowSpread.h"
#include "UI/OSDAppearanceMode.h"
#include "UI/OSDGridOpacity.h"
#include "UI/OSDGridSize.h"
#include "UI/OSDHeaderIconStyle.h"
#include "UI/OSDPlacement.h"
#include "UI/OSDPreviewTint.h"

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
