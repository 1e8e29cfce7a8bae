#include "UI/OSD/OSDGridKeyframeTrack.h"

#include <algorithm>

namespace tessarin {

namespace {

double bezier(double t, double p1, double p2) {
    const double u = 1 - t;
    return 3 * u * u * t * p1 + 3 * u * t * t * p2 + t * t * t;
}

} // namespace

double easeInEaseOut(double progress) {
    const double x = std::clamp(progress, 0.0, 1.0);
    // The curve's x is monotonic, so halving finds the parameter to well below a pixel's worth.
    double low = 0;
    double high = 1;
    for (int i = 0; i < 40; ++i) {
        const double mid = (low + high) / 2;
        (bezier(mid, 0.42, 0.58) < x ? low : high) = mid;
    }
    return bezier((low + high) / 2, 0.0, 1.0);
}

Point interpolate(Point from, Point to, double t) {
    return {from.x + (to.x - from.x) * t, from.y + (to.y - from.y) * t};
}

float interpolate(float from, float to, double t) {
    return static_cast<float>(from + (to - from) * t);
}

} // namespace tessarin
