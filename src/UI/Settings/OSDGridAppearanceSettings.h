#pragma once

#include "UI/Settings/OSDActiveSpaceBorderWidth.h"
#include "UI/Settings/OSDActiveSpaceGlowOpacity.h"
#include "UI/Settings/OSDActiveSpaceGlowSpread.h"
#include "UI/Settings/OSDAppearanceMode.h"
#include "UI/Settings/OSDHeaderIconStyle.h"
#include "UI/Settings/OSDPreviewTint.h"
#include "UI/Settings/PersistentGridOverlayActiveColor.h"

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
