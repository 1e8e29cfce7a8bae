#pragma once

#include "Platform/Host.h"
#include "Platform/Preferences/UserDefaults.h"
#include "Platform/Scenario.h"
#include "Support/VirtualMainQueue.h"

#include <gtest/gtest.h>

namespace tessarin {

// The default world made current for one test, with the program's defaults at hand.
class HealthHostWorld : public ::testing::Test {
protected:
    explicit HealthHostWorld(const Scenario& scenario = Scenario::defaultScenario())
        : host(scenario, queue) {}

    UserDefaults& defaults() { return host.defaults(); }

    VirtualMainQueue queue;
    ScopedMainQueue scopedQueue{queue};
    Host host;
    ScopedCurrentHost currentHost{host};
};

} // namespace tessarin
