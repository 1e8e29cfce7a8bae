#pragma once

#include "Core/Previews/WindowPreviewRefreshReason.h"
#include "Support/Clock.h"

#include <optional>

namespace tessarin {

// The refresh state of one (Space, preview screen): the next capture and why, the last finished
// one and why, and whether a capture is running. Dates are absolute times.
struct WindowPreviewRefreshEntry {
    std::optional<TimeInterval> nextRefresh;
    std::optional<WindowPreviewRefreshReason> nextRefreshReason;
    std::optional<TimeInterval> lastRefresh; // when a capture last stored a new preview
    std::optional<WindowPreviewRefreshReason> lastRefreshReason;
    bool isCaptureInFlight = false;

    friend bool operator==(const WindowPreviewRefreshEntry&,
                           const WindowPreviewRefreshEntry&) = default;
};

} // namespace tessarin
