#pragma once

#include "Platform/Preferences/UserDefaults.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tessarin {

// The font of the always-visible title overlay: a family name ("system" for the system font)
// and a point size within 10...96.
struct PersistentTitleOverlayFont {
    static constexpr const char* familyKey = "persistentTitleOverlayFontFamily";
    static constexpr const char* pointSizeKey = "persistentTitleOverlayFontSize";
    // Older named sizes ("small", "medium", "large"), read only.
    static constexpr const char* legacySizeKey = "persistentTitleOverlaySize";
    static constexpr const char* systemFamily = "system";
    static constexpr std::int64_t minimumPointSize = 10;
    static constexpr std::int64_t maximumPointSize = 96;
    static constexpr std::int64_t defaultPointSize = 18;

    std::string family = systemFamily;
    std::int64_t pointSize = defaultPointSize;

    PersistentTitleOverlayFont() = default;
    // Trims the family (blank or any spelling of "system" becomes "system") and clamps the size.
    PersistentTitleOverlayFont(std::string_view family, std::int64_t pointSize);

    static std::string normalizedFamily(std::string_view family);
    static std::int64_t clampedPointSize(std::int64_t pointSize);
    // The point size of an older named size: "small" 12, "large" 24, anything else 18.
    static std::int64_t pointSizeForLegacySize(std::string_view name);

    // The stored global size: "persistentTitleOverlayFontSize" read as the platform reads an
    // integer and clamped, else the older named size, else 18.
    static std::int64_t persistedPointSize(const UserDefaults& defaults);

    // "system" followed by the installed families: trimmed, "system" and later duplicates
    // dropped, sorted the way the platform sorts names for people.
    static std::vector<std::string> availableFamilies();
    static std::vector<std::string> availableFamilies(const std::vector<std::string>& installed);

    friend bool operator==(const PersistentTitleOverlayFont&,
                           const PersistentTitleOverlayFont&) = default;
};

} // namespace tessarin
