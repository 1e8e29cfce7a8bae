#pragma once

#include "Platform/Input/Event.h"

#include <cstdint>
#include <functional>
#include <set>
#include <vector>

namespace tessarin {

class EventSystem;

// The user's hands on the keyboard, mouse and trackpad, driven by tests. Each action changes the
// hardware state at once (what `flagsState` and `buttonState` report) and posts its events,
// which travel the session on later turns of the main queue.
class PhysicalInput {
public:
    explicit PhysicalInput(EventSystem& events);

    // A key press: key down then key up, carrying the held modifiers plus `modifiers`.
    void pressKey(uint16_t keyCode, uint64_t modifiers = 0);
    // A key held down (an autorepeat is a further key down with the autorepeat field set).
    void keyDown(uint16_t keyCode, uint64_t modifiers = 0, bool autorepeat = false);
    void keyUp(uint16_t keyCode, uint64_t modifiers = 0);

    // Modifier keys pressed or let go: each change posts a flags-changed event.
    void holdModifiers(uint64_t flags);
    void releaseModifiers(uint64_t flags);
    void releaseAllModifiers() { releaseModifiers(heldFlags_); }
    // Makes the modifiers of `among` held exactly as in `flags`: those let go first, then those
    // pressed, as a keyboard read after the fact reports them.
    void holdExactly(uint64_t flags, uint64_t among);
    void setCapsLock(bool on);

    // Mouse, at window-server locations (y down).
    void moveMouse(Point location);
    void mouseDown(Point location, MouseButton button = MouseButton::left);
    void mouseDrag(Point location, MouseButton button = MouseButton::left);
    void mouseUp(Point location, MouseButton button = MouseButton::left);
    void click(Point location, MouseButton button = MouseButton::left);

    // A swipe on the trackpad that the window server hands to the Dock: a began event, one
    // changed event per progress value, then an ended (or cancelled) event carrying the last
    // progress. `motion` is 1 horizontal, 2 vertical; untagged, as the user's own swipes are.
    void dockSwipe(int64_t motion, const std::vector<double>& progress, Point location,
                   bool cancelled = false);

    // Any other hardware event (for example the window server's own Dock swipe gestures).
    void inject(Event event);

    uint64_t flagsState() const { return heldFlags_; }
    bool buttonState(MouseButton button) const { return pressedButtons_.count(button) > 0; }
    Point location() const { return location_; }

    // Told of every pointer move (window-server coordinates); the host moves its cursor.
    void setPointerMovedHandler(std::function<void(Point)> handler);

private:
    void movePointer(Point location);
    Event keyEvent(uint16_t keyCode, bool down, uint64_t modifiers) const;

    EventSystem& events_;
    uint64_t heldFlags_ = 0;
    std::set<MouseButton> pressedButtons_;
    Point location_;
    std::function<void(Point)> pointerMoved_;
};

} // namespace tessarin
