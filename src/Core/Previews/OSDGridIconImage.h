#pragma once

#include <QImage>

namespace tessarin {

// Recorded icons are 128 x 128 copies of the application's icon, drawn over the whole square in
// the one format all recorded pictures share, so equal icons compare equal pixel for pixel.
namespace OSDGridIconImage {

inline constexpr int side = 128;
QImage make(const QImage& source);

} // namespace OSDGridIconImage

} // namespace tessarin
