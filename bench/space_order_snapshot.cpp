// Resolving the visual Space order of a display with 16 Spaces and a stored layout, as every
// menu-bar refresh, overlay refresh and switch does.
#include "Model/Spaces/DisplaySpaceOrderStore.h"
#include "Platform/Preferences/UserDefaults.h"
#include "Support/VirtualMainQueue.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <random>

namespace {

using namespace tessarin;

struct Fixture {
    Fixture() {
        for (SpaceID id = 1; id <= 16; ++id) {
            system.push_back(100 + id);
        }
        // The user's own order: shuffled, with two gaps.
        std::vector<SpaceID> visual = system;
        std::shuffle(visual.begin(), visual.end(), std::mt19937(7));
        PropertyArray slots;
        for (std::size_t index = 0; index < visual.size(); ++index) {
            if (index == 3 || index == 9) {
                slots.push_back(PropertyDictionary{{"spaceID", PropertyValue(0)},
                                                   {"kind", PropertyValue("placeholder")}});
            }
            slots.push_back(PropertyDictionary{{"spaceID", PropertyValue(visual[index])},
                                               {"kind", PropertyValue("real")}});
        }
        defaults.set("spaceLayout.display.UUID-A",
                     PropertyDictionary{{"version", PropertyValue(1)},
                                        {"slots", PropertyValue(std::move(slots))}});
        context.otherSpaceIDs = {201, 202, 203, 204, 205, 206};
    }

    VirtualMainQueue queue;
    ScopedMainQueue installed{queue};
    UserDefaults defaults;
    DisplaySpaceOrderStore store{defaults,
                                 [](const std::string&) { return std::optional<int>(10); }};
    std::vector<SpaceID> system;
    DisplaySpaceOrderStore::ResolutionContext context;
};

void BM_SpaceOrderSnapshot16Spaces(benchmark::State& state) {
    Fixture fixture;
    for (auto _ : state) {
        auto snapshot =
            fixture.store.snapshot("UUID-A", fixture.system, 105, true, fixture.context);
        benchmark::DoNotOptimize(snapshot);
    }
    if (fixture.store.revision.value() != 0) {
        state.SkipWithError("a steady layout must not be written");
    }
}
BENCHMARK(BM_SpaceOrderSnapshot16Spaces)->Repetitions(9)->ReportAggregatesOnly(true);

} // namespace
