#pragma once

#include <QString>
#include <filesystem>
#include <optional>
#include <string>

namespace tessarin::OpenSourceLicensesContent {

inline constexpr const char* multitouchLicenseName = "OpenMultitouchSupport-LICENSE";
inline constexpr const char* spaceSwitcherLicenseName = "InstantSpaceSwitcher-LICENSE";
inline constexpr const char* fallbackText = "License text could not be loaded.";
// The man bowing that thanks the Space-switching project, one emoji of four code points.
inline constexpr const char* creditEmoji = "\U0001F647\u200D\u2642\uFE0F";

// The web addresses of the two projects' public source repositories; this build records none.
struct SourceAddresses {
    std::optional<QString> multitouch;
    std::optional<QString> spaceSwitcher;
};

// The package resource bundle: beside the program, else the build's own copy; nothing when it
// is at neither place.
std::optional<std::filesystem::path> packageResourceBundle();

// The text of "name.txt" in the bundle, trimmed of white space and line breaks at both ends;
// nothing when the file is missing, unreadable or not UTF-8 (an empty file gives "").
std::optional<QString> licenseText(const std::string& name,
                                   const std::optional<std::filesystem::path>& bundle);

// Both credits, each followed by its project's licence text or the fallback sentence, with a
// line of hyphens between them. A credit names its project's address on the line after it,
// when the address is known; the bow ends the second credit.
QString text(const std::optional<std::filesystem::path>& bundle,
             const SourceAddresses& addresses = {});

} // namespace tessarin::OpenSourceLicensesContent
