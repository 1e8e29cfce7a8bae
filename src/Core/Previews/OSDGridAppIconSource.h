#pragma once

#include <QImage>
#include <optional>
#include <string>

namespace tessarin {

struct RunningApplication;

// What was seen of the application that stands for one Space.
struct OSDGridAppIconSource {
    std::optional<std::string> bundleIdentifier;
    std::optional<std::string> appDisplayName;
    std::optional<std::string> windowTitle;
    std::optional<QImage> icon;
    // The Space has no windows and this source stands in for it.
    bool isWindowlessFallback = false;

    // Identifier, name and icon of a running application (all absent without one); the title
    // as given.
    static OSDGridAppIconSource make(const std::optional<RunningApplication>& application,
                                     std::optional<std::string> windowTitle);

    friend bool operator==(const OSDGridAppIconSource&, const OSDGridAppIconSource&) = default;
};

} // namespace tessarin
