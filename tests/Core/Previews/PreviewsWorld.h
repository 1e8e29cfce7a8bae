#pragma once

#include "Model/Spaces/DisplaySpaceOrderSnapshot.h"
#include "Platform/Host.h"
#include "Platform/Scenario.h"
#include "Support/VirtualMainQueue.h"

#include <gtest/gtest.h>

namespace tessarin {

inline ServerWindow serverWindow(WindowID number, int32_t pid, std::string owner, std::string title,
                                 Rect bounds, std::vector<SpaceID> spaces) {
    ServerWindow window;
    window.number = number;
    window.ownerPID = pid;
    window.ownerName = std::move(owner);
    window.name = std::move(title);
    window.bounds = bounds;
    window.spaces = std::move(spaces);
    return window;
}

// One display "D" with Desktops 1, 2 and 3 (1 current); Notes (pid 40) has window 5 on Space 1
// and window 6 on Space 2; Mail (pid 41) has window 7 on Spaces 1 and 2.
inline Scenario previewsScenario() {
    Scenario s;
    s.displays = {Screen{1, "D", "Built-in", {0, 0, 1440, 900}, {0, 0, 1440, 875}, 2.0}};
    const auto desktop = [](SpaceID id) {
        return ScenarioSpace{id, kSpaceTypeUserDesktop, "", std::nullopt};
    };
    s.spaceLists = {{"D", {desktop(1), desktop(2), desktop(3)}, 1}};
    s.applications = {{97, "com.apple.dock", "Dock"},
                      {40, "com.example.notes", "Notes"},
                      {41, "com.example.mail", "Mail"}};
    s.windows = {serverWindow(5, 40, "Notes", "List", {100, 100, 400, 300}, {1}),
                 serverWindow(6, 40, "Notes", "Draft", {0, 0, 500, 400}, {2}),
                 serverWindow(7, 41, "Mail", "Inbox", {50, 50, 600, 500}, {1, 2})};
    return s;
}

inline DisplaySpaceOrderSnapshot snapshotOf(const std::string& display, std::vector<SpaceID> ids) {
    std::vector<DisplaySpaceSlot> slots;
    for (const SpaceID id : ids) {
        slots.push_back(id == 0 ? DisplaySpaceSlot::makePlaceholder()
                                : DisplaySpaceSlot::realSpace(id));
    }
    std::erase(ids, 0);
    return DisplaySpaceOrderSnapshot::make(display, ids, slots, ids.empty() ? 0 : ids.front());
}

class PreviewsWorld : public ::testing::Test {
protected:
    explicit PreviewsWorld(const Scenario& scenario = previewsScenario()) : host(scenario, queue) {}

    VirtualMainQueue queue;
    ScopedMainQueue scopedQueue{queue};
    Host host;
    ScopedCurrentHost currentHost{host};
};

} // namespace tessarin
