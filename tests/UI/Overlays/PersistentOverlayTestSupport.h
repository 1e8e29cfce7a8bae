#pragma once

#include "Platform/Host.h"
#include "UI/OSD/OSDWindowTestSupport.h"

namespace tessarin::testing {

// Displays A (main, its visible frame 0, 0, 1440, 875) and B (1440, 0, 1920, 1055 visible) with
// the application object the overlay windows need.
class PersistentOverlayTest : public ::testing::Test {
protected:
    static Scenario scenario() { return twoScreenScenario(); }
    static bool shown(const OSDOverlayPanel* window) {
        return window != nullptr && window->isVisible();
    }

    struct ApplicationReady {
        ApplicationReady() { ensureApplication(); }
    } applicationReady;
    VirtualMainQueue queue;
    ScopedMainQueue scopedQueue{queue};
    Host host{scenario(), queue};
    ScopedCurrentHost currentHost{host};
};

} // namespace tessarin::testing
