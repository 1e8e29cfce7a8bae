#pragma once

#include "Core/Previews/OSDGridIconImage.h"
#include "Core/Previews/OSDGridWindowApplicationInfo.h"
#include "Core/Previews/OSDGridWindowRecord.h"
#include "Model/Settings/OSDAppFilter.h"
#include "UI/OSD/OSDGridAppIconEntry.h"

#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace tessarin {

// The icons of the applications of one Space's windows: at most three, one per application,
// the application with the largest window first.
using OSDGridIconStackEntries = std::vector<OSDGridAppIconEntry>;

namespace OSDGridIconStack {

inline constexpr std::size_t maximumCount = 3;

using InfoLookup =
    std::function<std::optional<OSDGridWindowApplicationInfo>(const OSDGridWindowRecord&)>;

// `windows` in the Space's window order (larger first, then further back). An application ranks
// by its largest window; windows without a bundle identifier or icon, or of an ignored
// application, add nothing.
OSDGridIconStackEntries make(const std::vector<OSDGridWindowRecord>& windows,
                             const InfoLookup& info,
                             const std::set<std::string>& ignoredBundleIdentifiers,
                             OSDGridIconImage::Cache& icons);

// Leaves out the icons whose application name the filter matches.
OSDGridIconStackEntries filtered(const OSDGridIconStackEntries& stack, const OSDAppFilter& filter);

} // namespace OSDGridIconStack

} // namespace tessarin
