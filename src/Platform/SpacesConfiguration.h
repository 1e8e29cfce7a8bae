#pragma once

#include "Platform/Preferences/PropertyValue.h"
#include "Platform/WindowServer.h"
#include "Platform/WindowServerTypes.h"

#include <map>
#include <string>
#include <vector>

namespace tessarin {

class Preferences;

// The Space layout that the system mirrors into the "com.apple.spaces" preference domain, under
// "SpacesDisplayConfiguration":
//   {"Management Data": {"Monitors": [
//       {"Display Identifier": "<display UUID or Main>",
//        "Current Space": {"ManagedSpaceID": 7, "id64": 7, "uuid": "...", "type": 0},
//        "Spaces": [{"ManagedSpaceID": 7, "id64": 7, "uuid": "...", "type": 0,
//                    "name": "<title, only when the Space has one>"}, ...]}, ...]}}
// A Space's title is the "name" of its entry; look a Space up by its ID, not by its position,
// since the mirror may lag behind the live lists.
namespace SpacesConfigurationKey {
inline constexpr const char* domain = "com.apple.spaces";
inline constexpr const char* configuration = "SpacesDisplayConfiguration";
inline constexpr const char* managementData = "Management Data";
inline constexpr const char* monitors = "Monitors";
inline constexpr const char* displayIdentifier = "Display Identifier";
inline constexpr const char* currentSpace = "Current Space";
inline constexpr const char* spaces = "Spaces";
inline constexpr const char* managedSpaceID = "ManagedSpaceID";
inline constexpr const char* id64 = "id64";
inline constexpr const char* uuid = "uuid";
inline constexpr const char* type = "type";
inline constexpr const char* title = "name";
} // namespace SpacesConfigurationKey

using SpaceTitles = std::map<SpaceID, std::string>;

PropertyValue makeSpacesConfiguration(const std::vector<SpaceList>& lists,
                                      const SpaceTitles& titles);
// The titles a configuration value holds, by Space ID; empty for a malformed value.
SpaceTitles spaceTitles(const PropertyValue& configuration);

// Reads the titles kept in the domain now and writes the configuration of `lists` with them,
// updated by `changedTitles` (an empty title removes one).
void writeSpacesConfiguration(Preferences& preferences, const std::vector<SpaceList>& lists,
                              const SpaceTitles& changedTitles = {});
SpaceTitles readSpaceTitles(const Preferences& preferences);

} // namespace tessarin
