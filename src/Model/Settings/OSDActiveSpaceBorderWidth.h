#pragma once

#include "Platform/Preferences/UserDefaults.h"

namespace tessarin {

// Width in points of the ring around the OSD's active cell.
struct OSDActiveSpaceBorderWidth {
    static constexpr int defaultValue = 3;
    static constexpr int minimumValue = 1;
    static constexpr int maximumValue = 8;

    int rawValue = defaultValue;

    OSDActiveSpaceBorderWidth() = default;
    // Any integer is accepted and brought to the nearest allowed value.
    explicit OSDActiveSpaceBorderWidth(int raw) : rawValue(normalizedValue(raw)) {}

    // Clamped into 1...8 points.
    static int normalizedValue(int raw);

    static constexpr const char* key = "osdActiveSpaceBorderWidth";
    // The stored number, normalised; the default when none is stored or it is not a number.
    static OSDActiveSpaceBorderWidth persisted(const UserDefaults& defaults);

    friend bool operator==(const OSDActiveSpaceBorderWidth&,
                           const OSDActiveSpaceBorderWidth&) = default;
};

} // namespace tessarin
