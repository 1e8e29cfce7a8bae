#pragma once

#include "Support/Geometry.h"

#include <cstdint>
#include <iosfwd>
#include <map>
#include <string>

namespace tessarin {

// Event types as the window server numbers them.
namespace EventType {
inline constexpr uint32_t null = 0;
inline constexpr uint32_t leftMouseDown = 1;
inline constexpr uint32_t leftMouseUp = 2;
inline constexpr uint32_t rightMouseDown = 3;
inline constexpr uint32_t rightMouseUp = 4;
inline constexpr uint32_t mouseMoved = 5;
inline constexpr uint32_t leftMouseDragged = 6;
inline constexpr uint32_t rightMouseDragged = 7;
inline constexpr uint32_t keyDown = 10;
inline constexpr uint32_t keyUp = 11;
inline constexpr uint32_t flagsChanged = 12;
inline constexpr uint32_t scrollWheel = 22;
inline constexpr uint32_t otherMouseDown = 25;
inline constexpr uint32_t otherMouseUp = 26;
inline constexpr uint32_t otherMouseDragged = 27;
// The private gesture events with which the window server drives the Dock's swipes.
inline constexpr uint32_t dockGesture = 30;
// Notices handed to a tap's callback when the system has switched the tap off.
inline constexpr uint32_t tapDisabledByTimeout = 0xFFFFFFFE;
inline constexpr uint32_t tapDisabledByUserInput = 0xFFFFFFFF;
} // namespace EventType

// Numbered fields of an event. Integer fields and double fields are kept apart, as the window
// server keeps them; a field that was never set reads as 0.
namespace EventField {
inline constexpr uint32_t mouseEventClickState = 1;
inline constexpr uint32_t mouseEventButtonNumber = 3;
inline constexpr uint32_t keyboardEventAutorepeat = 8;
inline constexpr uint32_t keyboardEventKeycode = 9;
inline constexpr uint32_t privateSourceTag = 41;
inline constexpr uint32_t eventSourceUserData = 42;
inline constexpr uint32_t gestureHIDType = 110;
inline constexpr uint32_t gestureSwipeMotion = 123;
inline constexpr uint32_t gestureSwipeProgress = 124; // a double field
inline constexpr uint32_t gesturePhase = 132;
// The number the machine's keyboard feed gives a key it carries into the session, so it can
// tell which of its keys reached the front application. The session's own taps ignore it.
inline constexpr uint32_t machineKeySerial = 200;
} // namespace EventField

// Modifier and state flags of an event (the same bits as the application kit's modifier flags).
namespace EventFlags {
inline constexpr uint64_t maskNonCoalesced = 0x100;
inline constexpr uint64_t maskAlphaShift = 0x10000; // Caps Lock
inline constexpr uint64_t maskShift = 0x20000;
inline constexpr uint64_t maskControl = 0x40000;
inline constexpr uint64_t maskAlternate = 0x80000; // Option
inline constexpr uint64_t maskCommand = 0x100000;
inline constexpr uint64_t maskNumericPad = 0x200000;
inline constexpr uint64_t maskHelp = 0x400000;
inline constexpr uint64_t maskSecondaryFn = 0x800000;
// Shift, Control, Option and Command: the four keys a shortcut is made of.
inline constexpr uint64_t maskShortcutModifiers =
    maskShift | maskControl | maskAlternate | maskCommand;
} // namespace EventFlags

// A set of event types, bit `type` for each (types 0 to 63).
using EventMask = uint64_t;
inline constexpr EventMask eventMaskBit(uint32_t type) {
    return type < 64 ? (EventMask{1} << type) : EventMask{0};
}
inline constexpr EventMask kEventMaskForAllEvents = ~EventMask{0};

enum class MouseButton : uint32_t { left = 0, right = 1, center = 2 };

// One input event as it travels through the session: what taps see, rewrite or swallow.
struct Event {
    uint32_t type = EventType::null;
    uint64_t flags = 0;
    Point location;       // window-server coordinates, y down
    double timestamp = 0; // seconds of uptime; filled in when posted if left at 0
    std::map<uint32_t, int64_t> integerFields;
    std::map<uint32_t, double> doubleFields;
    // For key events: the characters the key types, ignoring modifiers (UTF-8).
    std::string characters;

    int64_t integerValue(uint32_t field) const;
    double doubleValue(uint32_t field) const;
    void setIntegerValue(uint32_t field, int64_t value);
    void setDoubleValue(uint32_t field, double value);

    bool isKeyEvent() const { return type == EventType::keyDown || type == EventType::keyUp; }
    uint16_t keyCode() const;
    bool isAutorepeat() const { return integerValue(EventField::keyboardEventAutorepeat) != 0; }

    // A key down or key up of `keyCode` with the given flags (characters left empty).
    static Event keyboard(uint16_t keyCode, bool keyDown, uint64_t flags = 0);
    // A mouse event of `type` at a window-server location.
    static Event mouse(uint32_t type, Point location, MouseButton button, uint64_t flags = 0);

    friend bool operator==(const Event&, const Event&) = default;
};

// Type, flags, location and fields, for logs and test failure messages.
std::ostream& operator<<(std::ostream& stream, const Event& event);

// True for the left, right and other mouse-down types.
bool isMouseDownType(uint32_t type);

} // namespace tessarin
