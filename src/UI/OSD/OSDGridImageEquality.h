#pragma once

#include <QImage>

namespace tessarin {

// Cached cell pictures compare by their pixels in one format, so the same picture decoded or
// drawn into another pixel format still counts as unchanged. Two null images are equal.
bool haveSamePixels(const QImage& a, const QImage& b);

} // namespace tessarin
