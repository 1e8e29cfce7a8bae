#pragma once

#include "Platform/Preferences/UserDefaults.h"

namespace tessarin {

// Opacity in percent of the glow around the OSD's active cell.
struct OSDActiveSpaceGlowOpacity {
    static constexpr int defaultValue = 100;
    static constexpr int minimumValue = 0;
    static constexpr int maximumValue = 100;

    int rawValue = defaultValue;

    OSDActiveSpaceGlowOpacity() = default;
    // Any integer is accepted and brought to the nearest allowed value.
    explicit OSDActiveSpaceGlowOpacity(int raw) : rawValue(normalizedValue(raw)) {}

    // Nearest multiple of 5 (halves away from zero), clamped into 0...100.
    static int normalizedValue(int raw);

    static constexpr const char* key = "osdActiveSpaceGlowOpacityPercent";
    // The stored number, normalised; the default when none is stored or it is not a number.
    static OSDActiveSpaceGlowOpacity persisted(const UserDefaults& defaults);

    friend bool operator==(const OSDActiveSpaceGlowOpacity&,
                           const OSDActiveSpaceGlowOpacity&) = default;
};

} // namespace tessarin
