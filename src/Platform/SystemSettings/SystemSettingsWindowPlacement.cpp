#include "Platform/SystemSettings/SystemSettingsWindowPlacement.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace tessarin {

namespace {

using FrameMargins = SystemSettingsDesk::FrameMargins;

bool isClear(const Rect& frame, const SystemSettingsDesk& desk) {
    return std::ranges::none_of(desk.floatingWindows,
                                [&frame](const Rect& window) { return frame.intersects(window); });
}

bool fitsOnScreen(const Rect& frame, const Rect& screen) {
    return frame.minX() >= screen.minX() && frame.maxX() <= screen.maxX() &&
           frame.minY() >= screen.minY() && frame.maxY() <= screen.maxY();
}

// Moved no further than needed to lie on the screen; a frame larger than the screen keeps its
// top left corner on it.
Rect pulledOnScreen(const Rect& frame, const Rect& screen) {
    const double x = std::max(screen.minX(), std::min(frame.minX(), screen.maxX() - frame.width()));
    const double y =
        std::max(screen.minY(), std::min(frame.minY(), screen.maxY() - frame.height()));
    return {x, y, frame.width(), frame.height()};
}

// The frame moved to the right and to the left of `window`, keeping its height.
std::vector<Rect> besides(const Rect& frame, const Rect& window, double gap) {
    const double w = frame.width();
    const double h = frame.height();
    return {{window.maxX() + gap, frame.minY(), w, h},
            {window.minX() - gap - w, frame.minY(), w, h}};
}

// The frame moved below and above `window`, keeping its place across.
std::vector<Rect> belowOrAbove(const Rect& frame, const Rect& window, double gap) {
    const double w = frame.width();
    const double h = frame.height();
    return {{frame.minX(), window.maxY() + gap, w, h},
            {frame.minX(), window.minY() - gap - h, w, h}};
}

Rect framed(const Rect& content, const FrameMargins& m) {
    return {content.minX() - m.left, content.minY() - m.top, content.width() + m.left + m.right,
            content.height() + m.top + m.bottom};
}

Rect contentOf(const Rect& frame, const FrameMargins& m) {
    return {frame.minX() + m.left, frame.minY() + m.top, frame.width() - m.left - m.right,
            frame.height() - m.top - m.bottom};
}

double distance(const Rect& a, const Rect& b) {
    return std::hypot(a.minX() - b.minX(), a.minY() - b.minY());
}

// The nearest clear place on the screen of those the floating windows' sides offer.
template <class Sides>
std::optional<Rect> nearestClear(const Rect& wanted, const SystemSettingsDesk& desk, double gap,
                                 Sides sides) {
    std::optional<Rect> best;
    for (const Rect& window : desk.floatingWindows) {
        for (const Rect& side : sides(wanted, window, gap)) {
            const Rect candidate = pulledOnScreen(side, desk.screen);
            if (!fitsOnScreen(candidate, desk.screen) || !isClear(candidate, desk)) {
                continue;
            }
            if (!best || distance(candidate, wanted) < distance(*best, wanted)) {
                best = candidate;
            }
        }
    }
    return best;
}

} // namespace

SystemSettingsWindowPlacement
placeSystemSettingsWindow(const Rect& preferred, const SystemSettingsDesk& desk, double gap) {
    const Rect content = preferred.standardized();
    const Rect wanted = framed(content, desk.frameMargins);
    if (isClear(wanted, desk)) {
        return {content, true};
    }
    std::optional<Rect> best = nearestClear(wanted, desk, gap, besides);
    if (!best) {
        best = nearestClear(wanted, desk, gap, belowOrAbove);
    }
    if (!best) {
        return {content, false};
    }
    return {contentOf(*best, desk.frameMargins), true};
}

} // namespace tessarin
