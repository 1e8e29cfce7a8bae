#include "Platform/MachineScreenPlacement.h"

#include "Platform/Screen.h"

#include <algorithm>
#include <optional>

namespace tessarin {

namespace {

std::optional<Rect> unionOf(const std::vector<Rect>& rects) {
    std::optional<Rect> all;
    for (const Rect& rect : rects) {
        all = all ? all->united(rect.standardized()) : rect.standardized();
    }
    return all;
}

// The shift along one axis that brings [low, low + length] inside [screenLow, screenHigh].
double shiftInto(double low, double length, double screenLow, double screenHigh) {
    if (low < screenLow) {
        return screenLow - low;
    }
    if (low + length > screenHigh) {
        return std::max(screenLow - low, screenHigh - (low + length));
    }
    return 0;
}

// The position along one axis of a window of `length` whose place within its display
// [displayLow, displayLow + displayLength] is kept on the display's image [placedLow, ...].
double keptPosition(double low, double length, double displayLow, double displayLength,
                    double placedLow, double placedLength) {
    const double room = displayLength - length;
    const double fraction = room > 0 ? std::clamp((low - displayLow) / room, 0.0, 1.0) : 0.5;
    return placedLow + fraction * (placedLength - length);
}

std::optional<Rect> displayOf(const std::vector<Rect>& displays, const Rect& frame) {
    std::optional<Rect> best;
    double bestArea = 0;
    for (const Rect& display : displays) {
        const Rect bounds = display.standardized();
        if (displayHolds(bounds, frame.center())) {
            return bounds;
        }
        const Rect common = bounds.intersection(frame);
        const double area = common.width() * common.height();
        if (area > bestArea) {
            best = bounds;
            bestArea = area;
        }
    }
    return best;
}

} // namespace

MachineScreenPlacement MachineScreenPlacement::fitting(const std::vector<Rect>& displays,
                                                       const Rect& screen) {
    const std::optional<Rect> all = unionOf(displays);
    const Rect area = screen.standardized();
    if (!all || all->isEmpty() || area.isEmpty()) {
        return identity();
    }
    const double scale =
        std::min({1.0, area.width() / all->width(), area.height() / all->height()});
    const Rect scaled{all->minX() * scale, all->minY() * scale, all->width() * scale,
                      all->height() * scale};
    return {scale,
            {shiftInto(scaled.minX(), scaled.width(), area.minX(), area.maxX()),
             shiftInto(scaled.minY(), scaled.height(), area.minY(), area.maxY())}};
}

Point MachineScreenPlacement::toMachine(Point windowServerPoint) const {
    return {origin.x + windowServerPoint.x * scale, origin.y + windowServerPoint.y * scale};
}

Rect MachineScreenPlacement::toMachine(const Rect& windowServerRect) const {
    const Rect rect = windowServerRect.standardized();
    return {toMachine(rect.origin), Size{rect.width() * scale, rect.height() * scale}};
}

Point MachineScreenPlacement::toHost(Point machinePoint) const {
    return {(machinePoint.x - origin.x) / scale, (machinePoint.y - origin.y) / scale};
}

namespace {

Rect keptOnDisplay(const MachineScreenPlacement& placement, const std::vector<Rect>& displays,
                   const Rect& frame) {
    const std::optional<Rect> display = displayOf(displays, frame);
    if (!display) {
        return {placement.toMachine(frame.origin), frame.size};
    }
    const Rect placed = placement.toMachine(*display);
    return {keptPosition(frame.minX(), frame.width(), display->minX(), display->width(),
                         placed.minX(), placed.width()),
            keptPosition(frame.minY(), frame.height(), display->minY(), display->height(),
                         placed.minY(), placed.height()),
            frame.width(), frame.height()};
}

} // namespace

Rect machineWindowFrame(const MachineScreenPlacement& placement, const std::vector<Rect>& displays,
                        const Rect& screen, const Rect& windowServerFrame) {
    const Rect frame = windowServerFrame.standardized();
    if (placement == MachineScreenPlacement::identity()) {
        return frame;
    }
    const Rect result = keptOnDisplay(placement, displays, frame);
    const Rect area = screen.standardized();
    if (area.isEmpty()) {
        return result;
    }
    return result.offsetBy(shiftInto(result.minX(), result.width(), area.minX(), area.maxX()),
                           shiftInto(result.minY(), result.height(), area.minY(), area.maxY()));
}

} // namespace tessarin
