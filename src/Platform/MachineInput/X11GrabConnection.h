#pragma once

#include "Platform/MachineInput/X11ModifierMapping.h"
#include "Platform/MachineInput/X11ServerKeptKeys.h"

#include <cstdint>
#include <vector>

namespace tessarin {

// One key to grab on the root window, under every one of its modifier states.
struct X11KeyGrab {
    uint8_t keyCode = 0;
    std::vector<uint16_t> states;
    friend bool operator==(const X11KeyGrab&, const X11KeyGrab&) = default;
};

// What the hot key grab asks of the X server, so the grab's rules can run against a made-up
// server in tests. Main thread only.
class X11GrabConnection {
public:
    virtual ~X11GrabConnection() = default;

    // The root window, whose key events the grabs bring.
    virtual uint32_t root() const = 0;
    virtual X11ModifierMapping modifierMapping() = 0;
    virtual X11KeyboardMap keyboardMap() = 0;
    // The key that types `keySym`, or 0.
    virtual uint8_t keyCodeFor(uint32_t keySym) = 0;
    // Grabs each key under every one of its states; a key another client holds under any of
    // them is grabbed under none. Every request is sent before any answer is awaited, so the
    // whole set costs one round trip. Answers, key by key, whether it was grabbed.
    virtual std::vector<bool> grab(const std::vector<X11KeyGrab>& keys) = 0;
    virtual void ungrab(uint8_t keyCode, const std::vector<uint16_t>& states) = 0;
    // The modifiers the machine's keyboard holds now.
    virtual uint16_t modifierState() = 0;
    // Sends what was asked so far.
    virtual void flush() = 0;
};

} // namespace tessarin
