#pragma once

#include "UI/OSD/OSDGridAppIconEntry.h"

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace tessarin {

// Finder's icon for visited Spaces that have no application icon, drawn from the resource
// bundle's "Finder" picture.
namespace OSDGridFinderFallbackIcon {

// The entry of a PNG resource, named as given; none when the bundle, the file or the image is
// missing.
std::optional<OSDGridAppIconEntry> loadEntry(const std::string& bundleIdentifier,
                                             const std::string& appDisplayName,
                                             const std::string& resourceName);
std::optional<OSDGridAppIconEntry> loadEntry(const std::string& bundleIdentifier,
                                             const std::string& appDisplayName,
                                             const std::string& resourceName,
                                             const std::vector<std::filesystem::path>& bundles);

// The cached icons within the grid, with Finder's at visited indexes that have none.
std::map<int64_t, OSDGridAppIconEntry>
mergedIconMap(const std::map<int64_t, OSDGridAppIconEntry>& cachedIcons,
              const std::set<int64_t>& visitedIndices, int64_t spaceCount,
              const std::optional<OSDGridAppIconEntry>& finderEntry);

} // namespace OSDGridFinderFallbackIcon

} // namespace tessarin
