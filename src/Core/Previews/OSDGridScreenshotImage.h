#pragma once

#include <QImage>
#include <optional>

namespace tessarin {

// Bitmaps of the screenshot cache. QImage only, so they may be made on an executor thread.
namespace OSDGridScreenshotImage {

// A transparent bitmap of the nearest whole number of pixels, at least 1 each way, in the
// simulated system's pixel format; none for a size that is not finite or is beyond what a
// capture may be, checked before anything is allocated.
std::optional<QImage> makeBitmap(double width, double height);

// The whole image drawn into a new bitmap of the size with high-quality interpolation, its
// aspect ratio not kept; none for a null image or a refused size.
std::optional<QImage> stretched(const QImage& image, double width, double height);

} // namespace OSDGridScreenshotImage

} // namespace tessarin
