#pragma once

#include <QImage>
#include <map>

namespace tessarin {

// Recorded icons are 128 x 128 copies of the application's icon, drawn over the whole square in
// the one format all recorded pictures share, so equal icons compare equal pixel for pixel.
namespace OSDGridIconImage {

inline constexpr int side = 128;
QImage make(const QImage& source);

// Remembers the copies made of recent source images, so the same application icon is scaled
// once rather than at every refresh. Main thread only.
class Cache {
public:
    QImage make(const QImage& source);

private:
    static constexpr std::size_t capacity = 64;
    std::map<qint64, QImage> copies_; // by the source's cache key
};

} // namespace OSDGridIconImage

} // namespace tessarin
