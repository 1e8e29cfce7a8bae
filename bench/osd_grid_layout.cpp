// Laying out a grid of 16 Spaces and planning a wrapping move of its highlight: the work done
// for every directional OSD presentation.

#include "UI/OSD/OSDGridLayout.h"
#include "UI/OSD/OSDGridTransitionPlan.h"

#include <benchmark/benchmark.h>
#include <string>

namespace {

using namespace tessarin;

OSDGridModel sixteenSpaces() {
    OSDGridModel::Fields fields{.spaceCount = 16, .activeIndex = 0, .columnCount = 4};
    for (int64_t i = 0; i < 16; ++i) {
        fields.cellTitles[i] = "Desktop " + std::to_string(i + 1);
    }
    fields.placeholderIndices = {13};
    return *OSDGridModel::make(std::move(fields));
}

void layoutAndWrapPlan(benchmark::State& state) {
    const OSDGridModel model = sixteenSpaces();
    // Right from the last cell wraps to the first.
    const OSDGridDirectionalTransition transition{model, 15, 0, TessarinDirectionRight};
    const Size container{1104, 680};
    for (auto _ : state) {
        const auto layout = OSDGridLayout::make(model, container, 9);
        const auto plan = OSDGridTransitionPlan::make(transition, *layout);
        benchmark::DoNotOptimize(plan);
    }
}
BENCHMARK(layoutAndWrapPlan)->Repetitions(10)->ReportAggregatesOnly(true);

} // namespace
