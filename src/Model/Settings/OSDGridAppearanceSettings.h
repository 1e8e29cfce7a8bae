#pragma once

#include "Model/Settings/OSDActiveSpaceBorderWidth.h"
#include "Model/Settings/OSDActiveSpaceGlowOpacity.h"
#include "Model/Settings/OSDActiveSpaceGlowSpread.h"
#include "Model/Settings/OSDAppearanceMode.h"
#include "Model/Settings/OSDHeaderIconStyle.h"
#include "Model/Settings/OSDPreviewTint.h"
#include "Model/Settings/PersistentGridOverlayActiveColor.h"

namespace tessarin {

// The look of the OSD grid on one display: its appearance, header icon, the colour of the active
// cell's ring and glow, the scrim under cell titles, and the ring's width and glow.
struct OSDGridAppearanceSettings {
    OSDAppearanceMode appearanceMode = kDefaultOSDAppearanceMode;
    OSDHeaderIconStyle headerIconStyle = kDefaultOSDHeaderIconStyle;
    PersistentGridOverlayActiveColor activeColor;
    OSDPreviewTint previewTint;
    OSDActiveSpaceBorderWidth activeSpaceBorderWidth;
    OSDActiveSpaceGlowSpread activeSpaceGlowSpread;
    OSDActiveSpaceGlowOpacity activeSpaceGlowOpacity;

    // Automatic appearance, colour header icon, "1285FFFF", tint 40, ring 3, glow 6 at 100 %.
    static const OSDGridAppearanceSettings& defaultValue();

    friend bool operator==(const OSDGridAppearanceSettings&,
                           const OSDGridAppearanceSettings&) = default;
};

} // namespace tessarin
