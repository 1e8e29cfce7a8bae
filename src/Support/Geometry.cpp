#include "Support/Geometry.h"

namespace tessarin {

bool Rect::intersects(const Rect& other) const {
    return minX() < other.maxX() && other.minX() < maxX() && minY() < other.maxY() &&
           other.minY() < maxY();
}

Rect Rect::intersection(const Rect& other) const {
    if (!intersects(other)) {
        return {};
    }
    const double x0 = std::max(minX(), other.minX());
    const double y0 = std::max(minY(), other.minY());
    const double x1 = std::min(maxX(), other.maxX());
    const double y1 = std::min(maxY(), other.maxY());
    return {x0, y0, x1 - x0, y1 - y0};
}

Rect Rect::united(const Rect& other) const {
    if (isEmpty()) {
        return other.standardized();
    }
    if (other.isEmpty()) {
        return standardized();
    }
    const double x0 = std::min(minX(), other.minX());
    const double y0 = std::min(minY(), other.minY());
    const double x1 = std::max(maxX(), other.maxX());
    const double y1 = std::max(maxY(), other.maxY());
    return {x0, y0, x1 - x0, y1 - y0};
}

Rect Rect::insetBy(double dx, double dy) const {
    const Rect r = standardized();
    const double width = r.size.width - 2 * dx;
    const double height = r.size.height - 2 * dy;
    if (width < 0 || height < 0) {
        return {r.midX(), r.midY(), 0, 0};
    }
    return {r.origin.x + dx, r.origin.y + dy, width, height};
}

Rect Rect::offsetBy(double dx, double dy) const {
    return {origin.x + dx, origin.y + dy, size.width, size.height};
}

Rect flippedRect(const Rect& rect, double containerHeight) {
    const Rect r = rect.standardized();
    return {r.origin.x, containerHeight - r.maxY(), r.size.width, r.size.height};
}

Point flippedPoint(Point point, double containerHeight) {
    return {point.x, containerHeight - point.y};
}

bool approximatelyEqual(double a, double b, double tolerance) {
    return std::abs(a - b) <= tolerance;
}

bool approximatelyEqual(const Rect& a, const Rect& b, double tolerance) {
    return approximatelyEqual(a.origin.x, b.origin.x, tolerance) &&
           approximatelyEqual(a.origin.y, b.origin.y, tolerance) &&
           approximatelyEqual(a.size.width, b.size.width, tolerance) &&
           approximatelyEqual(a.size.height, b.size.height, tolerance);
}

} // namespace tessarin
