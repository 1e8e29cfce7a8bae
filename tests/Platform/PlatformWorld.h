#pragma once

#include "Platform/Host.h"
#include "Platform/Input/EventSystem.h"
#include "Platform/Scenario.h"
#include "Platform/WindowServer.h"
#include "Support/VirtualMainQueue.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace tessarin {

inline constexpr Point kOnA{700, 400};
inline constexpr Point kOnB{2000, 500};

// Display A (main, 1440x900) with Desktops 11, 12, a full-screen Space 13 and Desktop 14;
// display B (1920x1080, to its right) with Desktops 21 and 22. Shared: one list "Main" of 31, 32.
inline Scenario twoDisplays(bool separateSpaces = true) {
    auto desktop = [](SpaceID id, int type = kSpaceTypeUserDesktop) {
        return ScenarioSpace{id, type, "", std::nullopt};
    };
    Scenario s;
    s.displays = {Screen{1, "UUID-A", "Built-in", {0, 0, 1440, 900}, {0, 0, 1440, 875}, 2.0},
                  Screen{2, "UUID-B", "Studio", {1440, 0, 1920, 1080}, {1440, 0, 1920, 1055}, 1.0}};
    s.displaysHaveSeparateSpaces = separateSpaces;
    s.spaceLists = {
        {"UUID-A", {desktop(11), desktop(12), desktop(13, kSpaceTypeFullScreen), desktop(14)}, 11},
        {"UUID-B", {desktop(21), desktop(22)}, 21}};
    if (!separateSpaces) {
        s.spaceLists = {{"Main", {desktop(31), desktop(32)}, 31}};
    }
    s.applications = {{97, "com.apple.dock", "Dock"}};
    s.dockProcessIdentifier = 97;
    return s;
}

// A simulated host on the virtual clock, made current for one test.
class HostWorld : public ::testing::Test {
protected:
    explicit HostWorld(const Scenario& scenario = twoDisplays()) : host(scenario, queue) {}

    SpaceID current(const std::string& list) {
        return host.windowServer().currentSpace(list).value_or(0);
    }
    std::vector<SpaceID> spaceIDs(const std::string& list) {
        std::vector<SpaceID> ids;
        const auto spaces = host.windowServer().spaceList(list);
        for (const ManagedSpace& space : spaces ? spaces->spaces : std::vector<ManagedSpace>{}) {
            ids.push_back(space.id64);
        }
        return ids;
    }

    VirtualMainQueue queue;
    ScopedMainQueue scopedQueue{queue};
    Host host;
    ScopedCurrentHost currentHost{host};
};

// The event system alone on the virtual clock.
class EventWorld : public ::testing::Test {
protected:
    // Runs the queue, then hands over and forgets what reached the front application.
    std::vector<Event> delivered() {
        queue.runUntilIdle();
        std::vector<Event> result(events.frontApplicationEvents().begin(),
                                  events.frontApplicationEvents().end());
        events.clearFrontApplicationEvents();
        return result;
    }

    VirtualMainQueue queue;
    EventSystem events{queue};
    PhysicalInput& input = events.physical();
};

} // namespace tessarin
