#pragma once

#include <algorithm>
#include <cmath>

namespace tessarin {

// Geometry keeps y pointing up, as the design's screen and grid coordinates do; drawing code
// flips once at the view boundary.
struct Point {
    double x = 0;
    double y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
    double width = 0;
    double height = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

struct Rect {
    Point origin;
    Size size;

    constexpr Rect() = default;
    constexpr Rect(Point o, Size s) : origin(o), size(s) {}
    constexpr Rect(double x, double y, double width, double height)
        : origin{x, y}, size{width, height} {}

    double minX() const { return std::min(origin.x, origin.x + size.width); }
    double maxX() const { return std::max(origin.x, origin.x + size.width); }
    double minY() const { return std::min(origin.y, origin.y + size.height); }
    double maxY() const { return std::max(origin.y, origin.y + size.height); }
    double midX() const { return (minX() + maxX()) / 2; }
    double midY() const { return (minY() + maxY()) / 2; }
    double width() const { return std::abs(size.width); }
    double height() const { return std::abs(size.height); }
    Point center() const { return {midX(), midY()}; }
    bool isEmpty() const { return size.width == 0 || size.height == 0; }

    // Half-open on the max edges, so adjacent rectangles never both contain a shared edge point.
    bool contains(Point p) const {
        return p.x >= minX() && p.x < maxX() && p.y >= minY() && p.y < maxY();
    }
    bool intersects(const Rect& other) const;
    Rect intersection(const Rect& other) const;
    Rect united(const Rect& other) const;
    Rect insetBy(double dx, double dy) const;
    Rect offsetBy(double dx, double dy) const;
    Rect standardized() const { return {minX(), minY(), width(), height()}; }

    friend bool operator==(const Rect&, const Rect&) = default;
};

// Converts between a y-up rectangle and the y-down coordinates of a space whose height is
// `containerHeight` (for example the window server's global space anchored at the main screen).
Rect flippedRect(const Rect& rect, double containerHeight);
Point flippedPoint(Point point, double containerHeight);

bool approximatelyEqual(double a, double b, double tolerance = 1e-9);
bool approximatelyEqual(const Rect& a, const Rect& b, double tolerance = 1e-9);

} // namespace tessarin
