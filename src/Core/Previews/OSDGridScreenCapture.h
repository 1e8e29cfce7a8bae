#pragma once

#include "Core/Previews/OSDGridSpaceCaptureTarget.h"

#include <QImage>
#include <functional>
#include <map>
#include <optional>
#include <string>

namespace tessarin {

class BackgroundWork;
class ScreenCapture;

// What one capture of a Space brought: the picture at 320 x 180, or none, with the fields of
// its "screen.capture.image" metric line.
struct OSDGridScreenCaptureResult {
    std::optional<QImage> image;
    std::map<std::string, std::string> metricFields;
};

// Photographs a display's current Space at 320 x 180 without the cursor and without this
// program's own windows: the shareable content, the display by its number, the capture, and
// the picture redrawn at its size on the capture's thread. Called on the main thread;
// `completion` runs on the main queue through `work`, and not at all once `work` is gone.
// An error, a display the service does not list, or a capture without an image gives no
// picture.
void captureSpaceImage(ScreenCapture& service, BackgroundWork& work,
                       const OSDGridSpaceCaptureTarget& target,
                       std::function<void(OSDGridScreenCaptureResult)> completion);

} // namespace tessarin
