#pragma once

#include "UI/OSDActiveSpaceBorderWidth.h"
#include "UI/OSDActiveSpaceGlowOpacity.h"
#include "UI/OSDActiveSpaceGlowSpread.h"
#include "UI/OSDAppearanceMode.h"
#include "UI/OSDHeaderIconStyle.h"
#include "UI/OSDPreviewTint.h"
#include "UI/PersistentGridOverlayActiveColor.h"

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
