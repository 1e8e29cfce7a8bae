#include "Platform/Input/Trackpad.h"

#include "Platform/DockSwipeGesture.h"
#include "Platform/Input/EventSystem.h"
#include "Platform/Preferences/Preferences.h"
#include "Support/MainQueue.h"

#include <cmath>

namespace tessarin {

namespace {

const char* dockSwipeKey(std::size_t fingers, int64_t motion) {
    const bool horizontal = motion == GestureSwipeMotion::horizontal;
    if (fingers == 3) {
        return horizontal ? "TrackpadThreeFingerHorizSwipeGesture"
                          : "TrackpadThreeFingerVertSwipeGesture";
    }
    if (fingers == 4) {
        return horizontal ? "TrackpadFourFingerHorizSwipeGesture"
                          : "TrackpadFourFingerVertSwipeGesture";
    }
    return nullptr;
}

} // namespace

Trackpad::Trackpad(EventSystem& events, MainQueue& queue, Preferences& preferences,
                   MultitouchManager* framework)
    : events_(events), queue_(queue), preferences_(preferences), framework_(framework) {}

void Trackpad::fingersDown(const std::vector<Point>& positions) {
    for (const Point& position : positions) {
        fingers_.push_back({nextFingerId_++, position});
    }
    startCentroid_ = centroid();
    swipeJudged_ = false;
    sendFrame();
}

void Trackpad::moveFingers(Point delta) {
    for (Finger& finger : fingers_) {
        finger.position.x += delta.x;
        finger.position.y += delta.y;
    }
    sendFrame();
    if (!startCentroid_ || fingers_.empty()) {
        return;
    }
    const Point now = centroid();
    const double dx = now.x - startCentroid_->x;
    const double dy = now.y - startCentroid_->y;
    if (!swipeJudged_) {
        // The window server settles the axis on the first move and keeps it for the swipe.
        swipeJudged_ = true;
        const int64_t motion = std::fabs(dx) >= std::fabs(dy) ? GestureSwipeMotion::horizontal
                                                              : GestureSwipeMotion::vertical;
        if (dockTakesSwipe(fingers_.size(), motion)) {
            dockSwipe_ = DockSwipe{motion, 0};
            postDockSwipe(GesturePhase::began);
        }
    }
    if (dockSwipe_) {
        const double travel = dockSwipe_->motion == GestureSwipeMotion::horizontal ? dx : dy;
        dockSwipe_->progress = -travel * progressPerTravel;
        postDockSwipe(GesturePhase::changed);
    }
}

void Trackpad::liftFingers() {
    auto leaving = std::move(fingers_);
    fingers_.clear();
    sendFrame(leaving);
    if (dockSwipe_) {
        postDockSwipe(GesturePhase::ended);
        dockSwipe_.reset();
    }
    startCentroid_.reset();
}

void Trackpad::liftOneFinger() {
    if (fingers_.empty()) {
        return;
    }
    std::vector<Finger> leaving{fingers_.back()};
    fingers_.pop_back();
    sendFrame(leaving);
    if (dockSwipe_) {
        postDockSwipe(GesturePhase::ended);
        dockSwipe_.reset();
    }
}

void Trackpad::swipe(int fingers, Point travel, TimeInterval duration, int steps) {
    fingersDown(restingPositions(fingers));
    const int moves = std::max(steps, 1);
    const Point step{travel.x / moves, travel.y / moves};
    for (int i = 1; i <= moves; ++i) {
        queue_.asyncAfter(duration * i / (moves + 1), [this, step] { moveFingers(step); });
    }
    queue_.asyncAfter(duration, [this] { liftFingers(); });
}

void Trackpad::tap(int fingers, TimeInterval duration) {
    rest(fingers, duration);
}

void Trackpad::rest(int fingers, TimeInterval duration) {
    fingersDown(restingPositions(fingers));
    queue_.asyncAfter(duration / 2, [this] { moveFingers({0, 0}); });
    queue_.asyncAfter(duration, [this] { liftFingers(); });
}

void Trackpad::sendFrame(const std::vector<Finger>& leaving) {
    if (!framework_) {
        return;
    }
    MultitouchFrame frame;
    auto add = [&frame](const Finger& finger, int64_t state) {
        MultitouchTouch touch;
        touch.identifier = finger.id;
        touch.posX = static_cast<float>(finger.position.x);
        touch.posY = static_cast<float>(finger.position.y);
        touch.total = 1;
        touch.pressure = 0.5F;
        touch.majorAxis = 10;
        touch.minorAxis = 8;
        touch.density = 1;
        touch.state = state;
        frame.touches.push_back(touch);
    };
    for (const Finger& finger : fingers_) {
        add(finger, MultitouchTouchState::touching);
    }
    for (const Finger& finger : leaving) {
        add(finger, MultitouchTouchState::leaving);
    }
    framework_->deliver(std::move(frame));
    // Frames reach the listeners before the window server's events for the same change.
    framework_->waitUntilDelivered();
}

Point Trackpad::centroid() const {
    Point sum;
    for (const Finger& finger : fingers_) {
        sum.x += finger.position.x;
        sum.y += finger.position.y;
    }
    const auto count = static_cast<double>(std::max<std::size_t>(fingers_.size(), 1));
    return {sum.x / count, sum.y / count};
}

bool Trackpad::dockTakesSwipe(std::size_t fingers, int64_t motion) const {
    const char* key = dockSwipeKey(fingers, motion);
    if (!key) {
        return false;
    }
    const auto value = preferences_.copyAppValue(key, preferenceDomain);
    return value && value->integerValue() == 2;
}

void Trackpad::postDockSwipe(int64_t phase) {
    Event event;
    event.type = EventType::dockGesture;
    event.location = events_.physical().location();
    event.setIntegerValue(EventField::gestureHIDType, kDockSwipeHIDType);
    event.setIntegerValue(EventField::gestureSwipeMotion, dockSwipe_->motion);
    event.setIntegerValue(EventField::gesturePhase, phase);
    event.setDoubleValue(EventField::gestureSwipeProgress, dockSwipe_->progress);
    events_.physical().inject(std::move(event));
}

std::vector<Point> Trackpad::restingPositions(int fingers) {
    std::vector<Point> positions;
    for (int i = 0; i < fingers; ++i) {
        positions.push_back({0.35 + 0.1 * i, 0.5 - 0.03 * (i % 2)});
    }
    return positions;
}

} // namespace tessarin
