#pragma once

#include "Platform/Preferences/UserDefaults.h"

#include <QColor>
#include <compare>
#include <optional>
#include <string>
#include <string_view>

namespace tessarin {

// The colour of the active cell, shared by the always-visible grid overlay and the OSD's active
// ring: "systemHighlight" (the system's selection colour, looked up each time it is drawn) or
// eight upper-case hexadecimal digits RRGGBBAA.
struct PersistentGridOverlayActiveColor {
    static constexpr const char* key = "persistentGridOverlayActiveColor";
    static constexpr const char* systemHighlightRawValue = "systemHighlight";
    static constexpr const char* fallbackRawValue = "1285FFFF";

    std::string rawValue = fallbackRawValue;

    // "systemHighlight" for any spelling of it, else the normalised hexadecimal form, else
    // nothing.
    static std::optional<PersistentGridOverlayActiveColor> fromRawValue(std::string_view text);

    // Trimmed and upper-cased, one leading "#" dropped, six digits made opaque with "FF"; the
    // result when it is eight hexadecimal digits.
    static std::optional<std::string> normalizedRawValue(std::string_view text);
    // True for "systemHighlight" in any letter case, with blanks or hyphens between the words or
    // around them.
    static bool isSystemHighlightRawValue(std::string_view text);
    // The RGBA colour of a hexadecimal text.
    static std::optional<QColor> colorForRawValue(std::string_view text);
    // "%02X%02X%02X%02X" of the colour's RGBA components; nothing for an invalid colour.
    static std::optional<std::string> rawValueForColor(const QColor& color);
    // The stored global colour: "systemHighlight", a normalised hex text, or "1285FFFF".
    static std::string persisted(const UserDefaults& defaults);

    // The system selection colour for "systemHighlight", the parsed colour, else the fallback.
    QColor color() const;

    friend bool operator==(const PersistentGridOverlayActiveColor&,
                           const PersistentGridOverlayActiveColor&) = default;
    friend auto operator<=>(const PersistentGridOverlayActiveColor&,
                            const PersistentGridOverlayActiveColor&) = default;
};

} // namespace tessarin
