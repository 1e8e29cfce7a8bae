#pragma once

#include "Platform/WindowServerTypes.h"

#include <compare>
#include <cstddef>
#include <functional>
#include <string>

namespace tessarin {

// One composed preview: the display it is shown on, and its Space.
struct OSDGridSyntheticPreviewKey {
    std::string displayIdentifier;
    SpaceID spaceID = 0;

    friend auto operator<=>(const OSDGridSyntheticPreviewKey&,
                            const OSDGridSyntheticPreviewKey&) = default;
    friend bool operator==(const OSDGridSyntheticPreviewKey&,
                           const OSDGridSyntheticPreviewKey&) = default;
};

} // namespace tessarin

template <> struct std::hash<tessarin::OSDGridSyntheticPreviewKey> {
    std::size_t operator()(const tessarin::OSDGridSyntheticPreviewKey& key) const noexcept {
        const std::size_t display = std::hash<std::string>{}(key.displayIdentifier);
        return display ^ (std::hash<tessarin::SpaceID>{}(key.spaceID) + 0x9e3779b97f4a7c15ULL +
                          (display << 6) + (display >> 2));
    }
};
