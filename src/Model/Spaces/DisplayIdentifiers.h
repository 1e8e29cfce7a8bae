#pragma once

namespace tessarin::DisplayIdentifiers {

// The identifier of the one Space list that every display shows when displays share Spaces.
inline constexpr const char* sharedSpaces = "Main";
// Stands for no particular display (a request that named none).
inline constexpr const char* defaultDisplay = "__tessarin.default.display__";

} // namespace tessarin::DisplayIdentifiers
