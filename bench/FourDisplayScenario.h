#pragma once

#include "Platform/Scenario.h"

#include <string>

namespace tessarin::bench {

// The benchmarks' host: 4 side-by-side displays with separate Spaces, 16 Spaces each, the
// sixth current, and the pointer on the third display.
inline Scenario fourDisplaysOfSixteenSpaces() {
    Scenario scenario;
    scenario.displaysHaveSeparateSpaces = true;
    SpaceID next = 100;
    for (DisplayID display = 1; display <= 4; ++display) {
        const double x = 1920.0 * (display - 1);
        const std::string uuid = "UUID-" + std::to_string(display);
        scenario.displays.push_back(Screen{display, uuid, "Display " + std::to_string(display),
                                           Rect(x, 0, 1920, 1080), Rect(x, 0, 1920, 1055), 2.0});
        ScenarioSpaceList list{uuid, {}, 0};
        for (int i = 0; i < 16; ++i) {
            list.spaces.push_back(ScenarioSpace{next++, kSpaceTypeUserDesktop, "", std::nullopt});
        }
        list.currentSpace = list.spaces[5].id;
        scenario.spaceLists.push_back(list);
    }
    scenario.mouseLocation = Point{1920 * 2 + 500, 500};
    return scenario;
}

} // namespace tessarin::bench
