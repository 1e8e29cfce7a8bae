#include "UI/OSD/OSDGridDragAnimation.h"

#include <algorithm>

namespace tessarin {

OSDGridDragItemPositions OSDGridDragAnimation::positions(double now) const {
    if (isFinished(now)) {
        return toPositions;
    }
    const double t = std::max((now - startTime) / duration, 0.0);
    OSDGridDragItemPositions result;
    for (const auto& [index, to] : toPositions) {
        const auto found = fromPositions.find(index);
        const Rect from = found == fromPositions.end() ? to : found->second;
        auto mix = [t](double a, double b) { return a + (b - a) * t; };
        result[index] = {mix(from.minX(), to.minX()), mix(from.minY(), to.minY()),
                         mix(from.width(), to.width()), mix(from.height(), to.height())};
    }
    return result;
}

} // namespace tessarin
