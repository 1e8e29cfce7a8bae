#pragma once

#include "Support/Geometry.h"
#include "UI/OSD/OSDGridAppIconEntry.h"
#include "UI/Settings/OSDAppFilter.h"

#include <QImage>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace tessarin {

// The icons of the applications with windows on one Space, the one with the largest window
// first; at most three, each application once.
using OSDGridIconStackEntries = std::vector<OSDGridAppIconEntry>;

inline constexpr std::size_t kMaximumIconStackCount = 3;
inline constexpr int kIconStackIconSide = 128;

// One window of a Space with what is known of its application.
struct OSDGridIconStackWindow {
    std::optional<std::string> bundleIdentifier;
    std::optional<std::string> appDisplayName;
    std::string ownerName;
    std::optional<QImage> icon;
    Rect bounds;
};

// Builds the stack from a Space's windows, given larger windows first. An application ranks by
// its largest window; windows without a bundle identifier or icon, or of an ignored
// application, add nothing.
OSDGridIconStackEntries makeIconStack(const std::vector<OSDGridIconStackWindow>& windows,
                               const std::set<std::string>& ignoredBundleIdentifiers);

// Leaves out the icons whose application name the filter matches.
OSDGridIconStackEntries filteredIconStack(const OSDGridIconStackEntries& stack, const OSDAppFilter& filter);

} // namespace tessarin
