// Cost of the synchronous window metadata refresh that runs before a switch to a windowless
// Space: one display of 16 Spaces, 80 windows of 12 applications, Space lookups already cached.
#include "Core/Previews/OSDGridWindowSpaceController.h"
#include "Model/Spaces/DisplaySpaceOrderSnapshot.h"
#include "Platform/Host.h"
#include "Platform/Scenario.h"
#include "Support/VirtualMainQueue.h"

#include <benchmark/benchmark.h>
#include <string>

namespace {

using namespace tessarin;

constexpr int kSpaces = 16;
constexpr int kWindows = 80;
constexpr int kApplications = 12;

Scenario sixteenSpacesOfWindows() {
    Scenario s;
    s.displays = {Screen{1, "D", "Built-in", {0, 0, 1728, 1117}, {0, 0, 1728, 1085}, 2.0}};
    ScenarioSpaceList list{"D", {}, 1};
    for (SpaceID id = 1; id <= kSpaces; ++id) {
        list.spaces.push_back({id, kSpaceTypeUserDesktop, "", std::nullopt});
    }
    s.spaceLists = {list};
    s.applications = {{97, "com.apple.dock", "Dock"}};
    for (int app = 0; app < kApplications; ++app) {
        s.applications.push_back(
            {100 + app, "com.example.app" + std::to_string(app), "App " + std::to_string(app)});
    }
    for (int i = 0; i < kWindows; ++i) {
        ServerWindow window;
        window.ownerPID = 100 + i % kApplications;
        window.ownerName = "App " + std::to_string(i % kApplications);
        window.name = "Document " + std::to_string(i);
        window.bounds = {double(20 * (i % 10)), double(15 * (i % 7)), double(400 + 10 * (i % 13)),
                         double(300 + 8 * (i % 11))};
        window.spaces = {SpaceID(1 + i % kSpaces)};
        if (i % 20 == 0) {
            window.spaces.push_back(SpaceID(1 + (i + 1) % kSpaces)); // on two Spaces
        }
        s.windows.push_back(window);
    }
    return s;
}

void BM_synchronousRefreshWarmCache(benchmark::State& state) {
    VirtualMainQueue queue;
    ScopedMainQueue currentQueue{queue};
    Host host{sixteenSpacesOfWindows(), queue};
    ScopedCurrentHost currentHost{host};
    std::vector<DisplaySpaceSlot> slots;
    std::vector<SpaceID> ids;
    for (SpaceID id = 1; id <= kSpaces; ++id) {
        slots.push_back(DisplaySpaceSlot::realSpace(id));
        ids.push_back(id);
    }
    const auto snapshot = DisplaySpaceOrderSnapshot::make("D", ids, slots, 1);
    OSDGridWindowSpaceController controller([] { return OSDAppFilter(); });
    controller.refreshMetadata(snapshot); // warms the Space-ID cache
    for (auto _ : state) {
        auto sources = controller.refreshMetadata(snapshot);
        benchmark::DoNotOptimize(sources);
    }
}
BENCHMARK(BM_synchronousRefreshWarmCache)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

} // namespace
