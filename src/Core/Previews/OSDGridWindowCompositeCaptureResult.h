#pragma once

#include <QImage>
#include <optional>
#include <string>

namespace tessarin {

// What one composite capture of a Space's windows brought.
struct OSDGridWindowCompositeCaptureResult {
    std::optional<QImage> image;
    int requestedWindows = 0;
    int capturedWindows = 0;
    std::string durationMilliseconds; // "%.2f"
    std::string result;               // "success" or "error"
};

} // namespace tessarin
