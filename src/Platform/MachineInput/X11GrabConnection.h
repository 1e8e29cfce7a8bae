#pragma once

#include "Platform/MachineInput/X11HotKeyGrabPlan.h"
#include "Platform/MachineInput/X11ServerKeptKeys.h"

#include <cstdint>
#include <vector>

namespace tessarin {

// What the hot key grab asks of the X server, so the grab's rules can run against a made-up
// server in tests. Main thread only.
class X11GrabConnection {
public:
    virtual ~X11GrabConnection() = default;

    // The root window, whose key events the grabs bring.
    virtual uint32_t root() const = 0;
    virtual X11ModifierBits modifierBits() = 0;
    virtual X11KeyboardMap keyboardMap() = 0;
    // The key that types `keySym`, or 0.
    virtual uint8_t keyCodeFor(uint32_t keySym) = 0;
    // Grabs the key on the root window under every one of `states`; when another client holds
    // any of them, grabs none and answers false.
    virtual bool grab(uint8_t keyCode, const std::vector<uint16_t>& states) = 0;
    virtual void ungrab(uint8_t keyCode, const std::vector<uint16_t>& states) = 0;
    // The modifiers the machine's keyboard holds now.
    virtual uint16_t modifierState() = 0;
    // Sends what was asked so far.
    virtual void flush() = 0;
};

} // namespace tessarin
