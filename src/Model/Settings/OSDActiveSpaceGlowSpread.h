#pragma once

#include "Platform/Preferences/UserDefaults.h"

namespace tessarin {

// Blur radius in points of the glow around the OSD's active cell; even values only.
struct OSDActiveSpaceGlowSpread {
    static constexpr int defaultValue = 6;
    static constexpr int minimumValue = 0;
    static constexpr int maximumValue = 48;

    int rawValue = defaultValue;

    OSDActiveSpaceGlowSpread() = default;
    // Any integer is accepted and brought to the nearest allowed value.
    explicit OSDActiveSpaceGlowSpread(int raw) : rawValue(normalizedValue(raw)) {}

    // Nearest even value (halves away from zero), clamped into 0...48.
    static int normalizedValue(int raw);

    static constexpr const char* key = "osdActiveSpaceGlowSpread";
    // The stored number, normalised; the default when none is stored or it is not a number.
    static OSDActiveSpaceGlowSpread persisted(const UserDefaults& defaults);

    friend bool operator==(const OSDActiveSpaceGlowSpread&,
                           const OSDActiveSpaceGlowSpread&) = default;
};

} // namespace tessarin
