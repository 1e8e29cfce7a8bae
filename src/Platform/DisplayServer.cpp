#include "Platform/DisplayServer.h"

#include <algorithm>
#include <utility>

namespace tessarin {

DisplayServer::DisplayServer(std::vector<Screen> screens) : screens_(std::move(screens)) {
    if (!screens_.empty()) {
        mouseLocation_ = screens_.front().frame.center();
    }
}

void DisplayServer::setScreens(std::vector<Screen> screens) {
    screens_ = std::move(screens);
    // Observers may remove themselves while being told.
    const auto observers = observers_;
    for (const auto& [token, observer] : observers) {
        if (observers_.count(token) != 0) {
            observer();
        }
    }
}

DisplayServer::ObserverToken
DisplayServer::addConfigurationObserver(std::function<void()> observer) {
    const ObserverToken token = nextToken_++;
    observers_.emplace(token, std::move(observer));
    return token;
}

void DisplayServer::removeConfigurationObserver(ObserverToken token) {
    observers_.erase(token);
}

std::optional<Screen> DisplayServer::mainScreen() const {
    if (screens_.empty()) {
        return std::nullopt;
    }
    return screens_.front();
}

std::optional<Screen> DisplayServer::screen(DisplayID displayID) const {
    const auto it = std::find_if(screens_.begin(), screens_.end(),
                                 [&](const Screen& s) { return s.displayID == displayID; });
    if (it == screens_.end()) {
        return std::nullopt;
    }
    return *it;
}

std::optional<Screen> DisplayServer::screenWithUUID(const std::string& uuid) const {
    const auto it = std::find_if(screens_.begin(), screens_.end(),
                                 [&](const Screen& s) { return s.uuid == uuid; });
    if (it == screens_.end()) {
        return std::nullopt;
    }
    return *it;
}

std::optional<Screen> DisplayServer::screenContaining(Point screenPoint) const {
    for (const Screen& s : screens_) {
        if (displayHolds(toWindowServer(s.frame), toWindowServer(screenPoint))) {
            return s;
        }
    }
    return std::nullopt;
}

namespace {

// The point of the frame nearest to `point`, a pixel inside its edges: the frame does not hold
// its right edge nor its bottom one (y up), which is the edge past its last row of pixels.
Point nearestPointOf(const Rect& frame, Point point) {
    const auto clamped = [](double value, double low, double high) {
        return std::clamp(value, low, std::max(low, high));
    };
    return {clamped(point.x, frame.minX(), frame.maxX() - 1),
            clamped(point.y, frame.minY() + 1, frame.maxY() - 1)};
}

double squaredDistance(Point a, Point b) {
    return (a.x - b.x) * (a.x - b.x) + (a.y - b.y) * (a.y - b.y);
}

} // namespace

Point DisplayServer::pointerPlacement(Point screenPoint) const {
    if (screens_.empty() || screenContaining(screenPoint)) {
        return screenPoint;
    }
    Point nearest = nearestPointOf(screens_.front().frame, screenPoint);
    for (const Screen& s : screens_) {
        const Point candidate = nearestPointOf(s.frame, screenPoint);
        if (squaredDistance(candidate, screenPoint) < squaredDistance(nearest, screenPoint)) {
            nearest = candidate;
        }
    }
    return nearest;
}

std::vector<DisplayID> DisplayServer::activeDisplayList() const {
    std::vector<DisplayID> ids;
    ids.reserve(screens_.size());
    for (const Screen& s : screens_) {
        ids.push_back(s.displayID);
    }
    return ids;
}

Rect DisplayServer::bounds(DisplayID displayID) const {
    const auto s = screen(displayID);
    if (!s) {
        return {};
    }
    return toWindowServer(s->frame);
}

std::optional<std::string> DisplayServer::uuid(DisplayID displayID) const {
    const auto s = screen(displayID);
    if (!s || s->uuid.empty()) {
        return std::nullopt;
    }
    return s->uuid;
}

std::vector<DisplayID> DisplayServer::displaysWithPoint(Point windowServerPoint) const {
    std::vector<DisplayID> ids;
    for (const Screen& s : screens_) {
        if (displayHolds(toWindowServer(s.frame), windowServerPoint)) {
            ids.push_back(s.displayID);
        }
    }
    return ids;
}

double DisplayServer::mainScreenHeight() const {
    return screens_.empty() ? 0.0 : screens_.front().frame.height();
}

Point DisplayServer::toWindowServer(Point screenPoint) const {
    return flippedPoint(screenPoint, mainScreenHeight());
}

Point DisplayServer::fromWindowServer(Point windowServerPoint) const {
    return flippedPoint(windowServerPoint, mainScreenHeight());
}

Rect DisplayServer::toWindowServer(const Rect& screenRect) const {
    return flippedRect(screenRect, mainScreenHeight());
}

Rect DisplayServer::fromWindowServer(const Rect& windowServerRect) const {
    return flippedRect(windowServerRect, mainScreenHeight());
}

void DisplayServer::setCursorLocation(Point windowServerPoint) {
    mouseLocation_ = fromWindowServer(windowServerPoint);
}

} // namespace tessarin
