#pragma once

#include "Platform/Preferences/UserDefaults.h"

namespace tessarin {

// Strength in percent of the dark scrim under the OSD cell titles ("osdPreviewTintPercent").
struct OSDPreviewTint {
    static constexpr int defaultValue = 40;
    static constexpr int minimumValue = 0;
    static constexpr int maximumValue = 100;

    int rawValue = defaultValue;

    OSDPreviewTint() = default;
    // Any integer is accepted and brought to the nearest allowed value.
    explicit OSDPreviewTint(int raw) : rawValue(normalizedValue(raw)) {}

    // Nearest multiple of 5 (halves away from zero), clamped into 0...100.
    static int normalizedValue(int raw);

    static constexpr const char* key = "osdPreviewTintPercent";
    // The stored number, normalised; 40 when none is stored or it is not a number.
    static OSDPreviewTint persisted(const UserDefaults& defaults);

    friend bool operator==(const OSDPreviewTint&, const OSDPreviewTint&) = default;
};

} // namespace tessarin
