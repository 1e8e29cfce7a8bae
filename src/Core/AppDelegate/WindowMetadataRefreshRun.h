#pragma once

#include "Core/AppDelegate/AppDelegate.h"

#include <cstddef>
#include <map>
#include <string>
#include <vector>

namespace tessarin {

// One refresh task: what it was started with, and how many metadata scans are still out.
struct AppDelegate::WindowMetadataRefreshRun {
    int64_t generation = 0;
    OSDGridRefreshTask task;
    std::map<std::string, DisplaySpaceOrderSnapshot> snapshots;
    std::vector<WindowPreviewDisplayItem> items;
    std::vector<WindowPreviewRefreshRequest> requests;
    bool allowScreenModePreviews = false;
    OSDGridScreenshotTiming timing = OSDGridScreenshotTiming::optimised;
    std::size_t scansOutstanding = 0;
};

} // namespace tessarin
