#pragma once

#include "Core/Previews/OSDGridIconImage.h"
#include "Core/Previews/OSDGridWindowApplicationInfo.h"
#include "Core/Previews/OSDGridWindowRecord.h"
#include "UI/OSD/OSDGridAppIconEntry.h"

#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace tessarin {

// The icons of the applications of one Space's windows: at most three, one per application,
// the application with the largest window first.
namespace OSDGridIconStack {

inline constexpr std::size_t maximumCount = 3;

using InfoLookup =
    std::function<std::optional<OSDGridWindowApplicationInfo>(const OSDGridWindowRecord&)>;

// `windows` in the Space's window order (larger first, then further back).
std::vector<OSDGridAppIconEntry> make(const std::vector<OSDGridWindowRecord>& windows,
                                      const InfoLookup& info,
                                      const std::set<std::string>& ignoredBundleIdentifiers,
                                      OSDGridIconImage::Cache& icons);

} // namespace OSDGridIconStack

} // namespace tessarin
