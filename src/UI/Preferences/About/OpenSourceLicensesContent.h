#pragma once

#include <QString>
#include <filesystem>
#include <optional>
#include <string>

namespace tessarin::OpenSourceLicensesContent {

inline constexpr const char* multitouchLicenseName = "OpenMultitouchSupport-LICENSE";
inline constexpr const char* spaceSwitcherLicenseName = "InstantSpaceSwitcher-LICENSE";
inline constexpr const char* fallbackText = "License text could not be loaded.";

// The package resource bundle: beside the program, else the build's own copy; nothing when it
// is at neither place.
std::optional<std::filesystem::path> packageResourceBundle();

// The text of "name.txt" in the bundle, trimmed of white space and line breaks at both ends;
// nothing when the file is missing, unreadable or not UTF-8 (an empty file gives "").
std::optional<QString> licenseText(const std::string& name,
                                   const std::optional<std::filesystem::path>& bundle);

// Both credits, each followed by its project's licence text or the fallback sentence, with a
// line of hyphens between them.
QString text(const std::optional<std::filesystem::path>& bundle);

} // namespace tessarin::OpenSourceLicensesContent
