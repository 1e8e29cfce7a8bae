// Cost of a predicting read of one display's Space information: the menu bar, the overlays and
// every switch read it, on a host of 4 displays with 16 Spaces each.
#include "Platform/Host.h"
#include "Platform/Scenario.h"
#include "Support/VirtualMainQueue.h"
#include "TessarinCore/TessarinCore.h"

#include <benchmark/benchmark.h>
#include <string>

namespace {

using namespace tessarin;

Scenario fourDisplays() {
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

struct World {
    VirtualMainQueue queue;
    ScopedMainQueue currentQueue{queue};
    Host host{fourDisplays(), queue};
    ScopedCurrentHost currentHost{host};
    World() { tessarin_init(); }
    ~World() { tessarin_destroy(); }
};

void BM_predictingReadForDisplay(benchmark::State& state) {
    World world;
    // A prediction on the display read, as right after a switch.
    tessarin_switch_to_index_on_display_identifier("UUID-4", 12);
    for (auto _ : state) {
        TessarinSpaceInfo info;
        bool ok = tessarin_get_space_info_for_display_identifier("UUID-4", &info);
        benchmark::DoNotOptimize(ok);
        benchmark::DoNotOptimize(info);
    }
}
BENCHMARK(BM_predictingReadForDisplay);

void BM_predictingReadOfPointersDisplay(benchmark::State& state) {
    World world;
    for (auto _ : state) {
        TessarinSpaceInfo info;
        bool ok = tessarin_get_space_info(&info);
        benchmark::DoNotOptimize(ok);
        benchmark::DoNotOptimize(info);
    }
}
BENCHMARK(BM_predictingReadOfPointersDisplay);

} // namespace
