#pragma once

#include "Core/Previews/OSDGridWindowCompositeCaptureResult.h"
#include "Core/Previews/OSDGridWindowPreviewRenderCandidate.h"
#include "Support/Geometry.h"

#include <QImage>
#include <functional>
#include <optional>
#include <vector>

namespace tessarin {

class BackgroundWork;
class ScreenCapture;

// Captures the windows of one Space and composes them into its preview: reads the shareable
// content, captures the last 16 candidates' windows one after another (a window missing from
// the content, one whose capture fails or whose size makes no bitmap is left out), then trims
// and composes the captures on `work`'s executor. Each step's result comes back to the main
// queue, where the capture service is asked for the next one and the completion runs; after
// `work` shut down nothing more happens.
namespace OSDGridWindowCompositeCapture {

inline constexpr std::size_t kMaximumWindows = 16;

using Completion = std::function<void(OSDGridWindowCompositeCaptureResult)>;

void capture(std::vector<OSDGridWindowPreviewRenderCandidate> candidates,
             std::optional<QImage> backgroundImage, std::optional<Rect> displayFrame,
             ScreenCapture& screenCapture, BackgroundWork& work, Completion completion);

// The pixel size of a window's capture at its scale; nothing when it is not finite or makes
// no bitmap.
std::optional<Size> capturePixelSize(const Rect& windowFrame, double captureScale);

} // namespace OSDGridWindowCompositeCapture

} // namespace tessarin
