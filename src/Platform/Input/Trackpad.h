#pragma once

#include "Platform/Multitouch/MultitouchManager.h"
#include "Support/Clock.h"
#include "Support/Geometry.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace tessarin {

class EventSystem;
class MainQueue;
class Preferences;

// The user's fingers on the trackpad. Every change sends one frame to the multitouch
// framework's listeners (when the framework is there) and, as the window server does, turns a
// swipe whose finger count and axis the trackpad's preferences give to the Dock (value 2) into
// Dock-swipe events: began at the first move, changed on each move, ended at the first lift.
// Progress follows the centroid's travel with the opposite sign, so fingers moving left or down
// give positive progress. Positions are normalised: 0 to 1, x right, y up.
class Trackpad {
public:
    static constexpr const char* preferenceDomain = "com.apple.AppleMultitouchTrackpad";
    // Dock progress per unit of centroid travel: a quarter of the trackpad crosses one Space.
    static constexpr double progressPerTravel = 4.0;

    Trackpad(EventSystem& events, MainQueue& queue, Preferences& preferences,
             MultitouchManager* framework);

    // Immediate actions, at the queue's current time.
    void fingersDown(const std::vector<Point>& positions);
    void moveFingers(Point delta);
    void liftFingers(); // every finger at once
    void liftOneFinger();
    std::size_t fingerCount() const { return fingers_.size(); }

    // Gestures laid out on the queue's clock from now: down at once, `steps` even moves over
    // `duration`, and the lift at `duration`.
    void swipe(int fingers, Point travel, TimeInterval duration = 0.3, int steps = 6);
    void tap(int fingers, TimeInterval duration = 0.15);
    void rest(int fingers, TimeInterval duration);

private:
    struct Finger {
        int32_t id;
        Point position;
    };
    struct DockSwipe {
        int64_t motion = 0;
        double progress = 0;
    };
    void sendFrame(const std::vector<Finger>& leaving = {});
    Point centroid() const;
    bool dockTakesSwipe(std::size_t fingers, int64_t motion) const;
    void postDockSwipe(int64_t phase);
    static std::vector<Point> restingPositions(int fingers);

    EventSystem& events_;
    MainQueue& queue_;
    Preferences& preferences_;
    MultitouchManager* framework_;
    std::vector<Finger> fingers_;
    int32_t nextFingerId_ = 1;
    std::optional<Point> startCentroid_;
    bool swipeJudged_ = false;
    std::optional<DockSwipe> dockSwipe_;
};

} // namespace tessarin
