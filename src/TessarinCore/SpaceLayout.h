#pragma once

#include "Platform/WindowServerTypes.h"
#include "TessarinCore/TessarinCore.h"

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace tessarin::bridge {

// Pure reading of the window server's managed display Spaces.

// A display entry has visible Spaces when it names a display and lists at least one Space.
bool hasVisibleSpaces(const ManagedDisplaySpaces& entry);

// The entry holding a display's Spaces: the one with that identifier, else the shared list when
// all displays share one ("Main"). Nothing for an empty identifier or no match.
const ManagedDisplaySpaces* findSpaceList(const std::vector<ManagedDisplaySpaces>& lists,
                                          std::string_view displayIdentifier);

// The first entry with visible Spaces.
const ManagedDisplaySpaces* firstListWithSpaces(const std::vector<ManagedDisplaySpaces>& lists);

// Index, count and ID of the entry's current Space. `activeSpace` stands in when the entry
// names no current Space. Nothing when the entry has no Spaces or its current Space is not
// among them.
std::optional<TessarinSpaceInfo> spaceInfo(const ManagedDisplaySpaces& entry,
                                           std::optional<SpaceID> activeSpace);

std::optional<uint32_t> indexOfSpace(const ManagedDisplaySpaces& entry, SpaceID spaceID);

// Whether every display has its own Spaces, given the number of connected screens and the
// lists (nothing when they could not be read). Unknown cases answer true.
bool displaysHaveSeparateSpaces(uint32_t screenCount,
                                const std::optional<std::vector<ManagedDisplaySpaces>>& lists);

} // namespace tessarin::bridge
