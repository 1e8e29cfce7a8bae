#include "Hotkeys/PhysicalWindowDragTracker.h"

#include "Platform/Host.h"
#include "Platform/Input/EventSystem.h"
#include "Platform/Input/EventTap.h"

#include <cmath>

namespace tessarin {

namespace {

constexpr EventMask kTrackedEvents =
    eventMaskBit(EventType::leftMouseDown) | eventMaskBit(EventType::leftMouseDragged) |
    eventMaskBit(EventType::leftMouseUp) | eventMaskBit(EventType::rightMouseDown) |
    eventMaskBit(EventType::otherMouseDown);

bool isDisabledNotice(uint32_t type) {
    return type == EventType::tapDisabledByTimeout || type == EventType::tapDisabledByUserInput;
}

} // namespace

PhysicalWindowDragTracker::PhysicalWindowDragTracker(EventSystemProvider eventSystem)
    : eventSystem_(std::move(eventSystem)) {}

PhysicalWindowDragTracker::~PhysicalWindowDragTracker() {
    stop();
}

PhysicalWindowDragTracker& PhysicalWindowDragTracker::shared() {
    return Host::current().sharedInstance<PhysicalWindowDragTracker>([](Host& host) {
        return std::make_shared<PhysicalWindowDragTracker>(
            [&host]() -> EventSystem& { return host.events(); });
    });
}

bool PhysicalWindowDragTracker::start() {
    if (isRunning()) {
        return true;
    }
    tap_ = eventSystem_().createTap(
        kTrackedEvents,
        [this](uint32_t type, const Event& event) -> std::optional<Event> {
            handle(type, event);
            return event;
        },
        EventTapOptions::listenOnly);
    return tap_ != nullptr;
}

void PhysicalWindowDragTracker::stop() {
    if (tap_) {
        tap_->invalidate();
        tap_.reset();
    }
    leftDownLocation_.reset();
    dragExceededThreshold_ = false;
}

bool PhysicalWindowDragTracker::isRunning() const {
    return tap_ && tap_->isValid();
}

void PhysicalWindowDragTracker::handle(uint32_t type, const Event& event) {
    if (isDisabledNotice(type)) {
        // The system switched the tap off; a tracker that stays off would miss every drag.
        if (tap_) {
            tap_->setEnabled(true);
        }
        return;
    }
    switch (type) {
    case EventType::leftMouseDown:
        handleLeftDown(event.location);
        break;
    case EventType::leftMouseDragged:
        handleLeftDragged(event.location);
        break;
    case EventType::leftMouseUp:
        leftDownLocation_.reset();
        dragExceededThreshold_ = false;
        break;
    default:
        if (isMouseDownType(type)) {
            ++mouseDownGeneration_;
        }
        break;
    }
}

std::optional<uint64_t> PhysicalWindowDragTracker::activeDragGeneration() const {
    if (!isPhysicalDragActive()) {
        return std::nullopt;
    }
    return mouseDownGeneration_;
}

void PhysicalWindowDragTracker::handleLeftDown(Point location) {
    ++mouseDownGeneration_;
    leftDownLocation_ = location;
    dragExceededThreshold_ = false;
}

void PhysicalWindowDragTracker::handleLeftDragged(Point location) {
    // A drag whose press the tap never saw has no start to measure from.
    if (!leftDownLocation_ || dragExceededThreshold_) {
        return;
    }
    const double distance =
        std::hypot(location.x - leftDownLocation_->x, location.y - leftDownLocation_->y);
    if (distance > dragThreshold) {
        dragExceededThreshold_ = true;
    }
}

} // namespace tessarin
