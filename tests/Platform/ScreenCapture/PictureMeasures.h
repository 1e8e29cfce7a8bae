#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <set>

namespace tessarin::pictures {

// How many different colours the opaque pixels of `area` have.
inline int distinctColours(const QImage& image, const QRect& area) {
    std::set<QRgb> colours;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (const QRgb pixel = image.pixel(x, y); qAlpha(pixel) == 255) {
                colours.insert(pixel);
            }
        }
    }
    return static_cast<int>(colours.size());
}

inline int distinctColours(const QImage& image) {
    return distinctColours(image, image.rect());
}

// The mean of the opaque pixels of `area`.
inline QColor meanColour(const QImage& image, const QRect& area) {
    double red = 0, green = 0, blue = 0;
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (const QColor pixel = image.pixelColor(x, y); pixel.alpha() == 255) {
                red += pixel.red();
                green += pixel.green();
                blue += pixel.blue();
                ++count;
            }
        }
    }
    if (count == 0) {
        return {};
    }
    return QColor(static_cast<int>(red / count), static_cast<int>(green / count),
                  static_cast<int>(blue / count));
}

// The distance between two hues in degrees, 0...180.
inline int hueDistance(const QColor& a, const QColor& b) {
    const int difference = std::abs(a.hsvHue() - b.hsvHue()) % 360;
    return std::min(difference, 360 - difference);
}

} // namespace tessarin::pictures
