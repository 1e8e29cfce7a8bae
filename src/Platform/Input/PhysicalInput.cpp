#include "Platform/Input/PhysicalInput.h"

#include "Platform/DockSwipeGesture.h"
#include "Platform/Input/EventSystem.h"
#include "Platform/Input/KeyboardLayout.h"

namespace tessarin {
namespace {

uint32_t downType(MouseButton button) {
    switch (button) {
    case MouseButton::left:
        return EventType::leftMouseDown;
    case MouseButton::right:
        return EventType::rightMouseDown;
    default:
        return EventType::otherMouseDown;
    }
}

uint32_t upType(MouseButton button) {
    switch (button) {
    case MouseButton::left:
        return EventType::leftMouseUp;
    case MouseButton::right:
        return EventType::rightMouseUp;
    default:
        return EventType::otherMouseUp;
    }
}

uint32_t dragType(MouseButton button) {
    switch (button) {
    case MouseButton::left:
        return EventType::leftMouseDragged;
    case MouseButton::right:
        return EventType::rightMouseDragged;
    default:
        return EventType::otherMouseDragged;
    }
}

} // namespace

PhysicalInput::PhysicalInput(EventSystem& events) : events_(events) {}

Event PhysicalInput::keyEvent(uint16_t keyCode, bool down, uint64_t modifiers) const {
    uint64_t flags = heldFlags_ | modifiers;
    if (isArrowKeyCode(keyCode)) {
        flags |= EventFlags::maskSecondaryFn | EventFlags::maskNumericPad;
    }
    Event event = Event::keyboard(keyCode, down, flags);
    event.location = location_;
    event.characters = charactersForKeyCode(keyCode);
    return event;
}

void PhysicalInput::pressKey(uint16_t keyCode, uint64_t modifiers) {
    keyDown(keyCode, modifiers);
    keyUp(keyCode, modifiers);
}

void PhysicalInput::keyDown(uint16_t keyCode, uint64_t modifiers, bool autorepeat) {
    Event event = keyEvent(keyCode, true, modifiers);
    event.setIntegerValue(EventField::keyboardEventAutorepeat, autorepeat ? 1 : 0);
    events_.enqueue(std::move(event));
}

void PhysicalInput::keyUp(uint16_t keyCode, uint64_t modifiers) {
    events_.enqueue(keyEvent(keyCode, false, modifiers));
}

void PhysicalInput::holdModifiers(uint64_t flags) {
    uint64_t added = flags & ~heldFlags_;
    if (added == 0) {
        return;
    }
    heldFlags_ |= added;
    Event event;
    event.type = EventType::flagsChanged;
    event.flags = heldFlags_;
    event.location = location_;
    events_.enqueue(std::move(event));
}

void PhysicalInput::releaseModifiers(uint64_t flags) {
    uint64_t removed = flags & heldFlags_;
    if (removed == 0) {
        return;
    }
    heldFlags_ &= ~removed;
    Event event;
    event.type = EventType::flagsChanged;
    event.flags = heldFlags_;
    event.location = location_;
    events_.enqueue(std::move(event));
}

void PhysicalInput::holdExactly(uint64_t flags, uint64_t among) {
    const uint64_t held = heldFlags_ & among;
    releaseModifiers(held & ~flags);
    holdModifiers(flags & among & ~held);
}

void PhysicalInput::setCapsLock(bool on) {
    if (on) {
        holdModifiers(EventFlags::maskAlphaShift);
    } else {
        releaseModifiers(EventFlags::maskAlphaShift);
    }
}

void PhysicalInput::movePointer(Point location) {
    location_ = location;
    if (pointerMoved_) {
        pointerMoved_(location);
    }
}

void PhysicalInput::moveMouse(Point location) {
    movePointer(location);
    events_.enqueue(Event::mouse(EventType::mouseMoved, location, MouseButton::left, heldFlags_));
}

void PhysicalInput::mouseDown(Point location, MouseButton button) {
    movePointer(location);
    pressedButtons_.insert(button);
    Event event = Event::mouse(downType(button), location, button, heldFlags_);
    event.setIntegerValue(EventField::mouseEventClickState, 1);
    events_.enqueue(std::move(event));
}

void PhysicalInput::mouseDrag(Point location, MouseButton button) {
    movePointer(location);
    events_.enqueue(Event::mouse(dragType(button), location, button, heldFlags_));
}

void PhysicalInput::mouseUp(Point location, MouseButton button) {
    movePointer(location);
    pressedButtons_.erase(button);
    Event event = Event::mouse(upType(button), location, button, heldFlags_);
    event.setIntegerValue(EventField::mouseEventClickState, 1);
    events_.enqueue(std::move(event));
}

void PhysicalInput::click(Point location, MouseButton button) {
    mouseDown(location, button);
    mouseUp(location, button);
}

void PhysicalInput::dockSwipe(int64_t motion, const std::vector<double>& progress, Point location,
                              bool cancelled) {
    auto gestureEvent = [&](int64_t phase, double value) {
        Event event;
        event.type = EventType::dockGesture;
        event.location = location;
        event.flags = heldFlags_;
        event.setIntegerValue(EventField::gestureHIDType, kDockSwipeHIDType);
        event.setIntegerValue(EventField::gestureSwipeMotion, motion);
        event.setIntegerValue(EventField::gesturePhase, phase);
        event.setDoubleValue(EventField::gestureSwipeProgress, value);
        return event;
    };
    events_.enqueue(gestureEvent(GesturePhase::began, 0));
    for (double value : progress) {
        events_.enqueue(gestureEvent(GesturePhase::changed, value));
    }
    double last = progress.empty() ? 0 : progress.back();
    events_.enqueue(gestureEvent(cancelled ? GesturePhase::cancelled : GesturePhase::ended, last));
}

void PhysicalInput::inject(Event event) {
    events_.enqueue(std::move(event));
}

void PhysicalInput::setPointerMovedHandler(std::function<void(Point)> handler) {
    pointerMoved_ = std::move(handler);
}

} // namespace tessarin
