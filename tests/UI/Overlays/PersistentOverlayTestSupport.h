#pragma once

#include "Platform/DisplayServer.h"
#include "Platform/Host.h"
#include "Platform/Scenario.h"
#include "Support/VirtualMainQueue.h"
#include "UI/OSD/OSDGridViewTestSupport.h"
#include "UI/OSD/OSDOverlayPanel.h"

#include <gtest/gtest.h>

namespace tessarin::testing {

// Display A (1440 × 900, main, visible frame without a 25-point menu bar) and display B to its
// right (1920 × 1080), with the application object the overlay windows need.
class PersistentOverlayTest : public ::testing::Test {
protected:
    static Scenario scenario() {
        Scenario result;
        result.displays = {
            Screen{1, "UUID-A", "Built-in", Rect(0, 0, 1440, 900), Rect(0, 0, 1440, 875), 2.0},
            Screen{2, "UUID-B", "Studio", Rect(1440, 0, 1920, 1080), Rect(1440, 0, 1920, 1055),
                   1.0}};
        return result;
    }
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
