#pragma once

#include "Platform/Host.h"
#include "Platform/Input/EventSystem.h"
#include "Platform/Input/KeyboardLayout.h"
#include "Platform/Scenario.h"
#include "Support/VirtualMainQueue.h"

#include <gtest/gtest.h>

namespace tessarin {

// A default simulated desktop, current for one test, with the hands that press its keys.
class HotkeyHostFixture : public ::testing::Test {
protected:
    PhysicalInput& keyboard() { return host.events().physical(); }
    void settle() { queue.runUntilIdle(); }

    VirtualMainQueue queue;
    ScopedMainQueue scopedQueue{queue};
    Host host{Scenario::defaultScenario(), queue};
    ScopedCurrentHost scopedHost{host};
};

// A key down as the keyboard layout types it.
inline Event keyDown(uint16_t keyCode, uint64_t flags = 0) {
    Event event = Event::keyboard(keyCode, true, flags);
    event.characters = charactersForKeyCode(keyCode);
    return event;
}

} // namespace tessarin
