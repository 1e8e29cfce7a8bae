#pragma once

#include "Platform/WindowServerTypes.h"
#include "Support/Geometry.h"

#include <cstdint>
#include <optional>
#include <string>

namespace tessarin {

// What the window diagnostics write of the window list's elements. Each stage fills these from
// its own element type, so the log keeps one layout whatever the stage holds.

// One window of the window list.
struct OSDGridWindowRecordFields {
    std::uint32_t windowID = 0;
    int processIdentifier = 0;
    int zIndex = 0;
    std::optional<int> onScreenIndex;
    int layer = 0;
    bool isOnScreen = false;
    double alpha = 1;
    int sharingState = 0;
    Rect bounds;
    std::string ownerName;
    std::optional<std::string> title;
};

// One window a composed preview may draw.
struct OSDGridWindowPreviewCandidateFields {
    std::uint32_t windowID = 0;
    int zIndex = 0;
    std::optional<int> onScreenIndex;
    Rect bounds;
    std::optional<std::string> bundleIdentifier;
    std::optional<std::string> appDisplayName;
    std::optional<std::string> windowTitle;
};

// One window handed to the capture.
struct OSDGridWindowRenderCandidateFields {
    std::uint32_t windowID = 0;
    int zIndex = 0;
    std::optional<int> onScreenIndex;
    double area = 0;
    double captureScale = 1;
    Rect bounds;
    std::optional<std::string> bundleIdentifier;
    std::optional<std::string> appDisplayName;
};

} // namespace tessarin
