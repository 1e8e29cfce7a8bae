// Cost of a predicting read of one display's Space information: the menu bar, the overlays and
// every switch read it, on a host of 4 displays with 16 Spaces each.
#include "FourDisplayScenario.h"
#include "Platform/Host.h"
#include "Platform/Scenario.h"
#include "Support/VirtualMainQueue.h"
#include "TessarinCore/TessarinCore.h"

#include <benchmark/benchmark.h>
#include <string>

namespace {

using namespace tessarin;

struct World {
    VirtualMainQueue queue;
    ScopedMainQueue currentQueue{queue};
    Host host{bench::fourDisplaysOfSixteenSpaces(), queue};
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
