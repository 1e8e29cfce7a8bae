#pragma once

#include "Platform/Input/Event.h"
#include "Support/Geometry.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

namespace tessarin {

class EventSystem;
class EventTap;

// Watches the user's own mouse through a listen-only session tap and tells whether a window is
// being dragged by hand: the left button is held and the pointer has moved more than 3 points
// from where it went down. Every mouse-down (any button) starts a new generation, so a throw
// prepared during one press is recognised as stale once another press happened.
class PhysicalWindowDragTracker {
public:
    // The distance the pointer must exceed, in points, before a press counts as a drag.
    static constexpr double dragThreshold = 3.0;

    using EventSystemProvider = std::function<EventSystem&()>;

    explicit PhysicalWindowDragTracker(EventSystemProvider eventSystem);
    ~PhysicalWindowDragTracker();
    PhysicalWindowDragTracker(const PhysicalWindowDragTracker&) = delete;
    PhysicalWindowDragTracker& operator=(const PhysicalWindowDragTracker&) = delete;

    // The app's tracker, on the current host's event stream.
    static PhysicalWindowDragTracker& shared();

    // True when the tap runs (also when it already did); false when it cannot be created.
    bool start();
    // Removes the tap and forgets the press in progress.
    void stop();
    bool isRunning() const;

    // One mouse event as the tap sees it.
    void handle(uint32_t type, const Event& event);

    uint64_t mouseDownGeneration() const { return mouseDownGeneration_; }
    bool isLeftButtonDown() const { return leftDownLocation_.has_value(); }
    // The left button is held and has moved beyond the threshold during this press.
    bool isPhysicalDragActive() const { return isLeftButtonDown() && dragExceededThreshold_; }
    // The generation of the press that is dragging now, if one is.
    std::optional<uint64_t> activeDragGeneration() const;

private:
    void handleLeftDown(Point location);
    void handleLeftDragged(Point location);

    EventSystemProvider eventSystem_;
    std::shared_ptr<EventTap> tap_;
    uint64_t mouseDownGeneration_ = 0;
    std::optional<Point> leftDownLocation_;
    bool dragExceededThreshold_ = false;
};

} // namespace tessarin
