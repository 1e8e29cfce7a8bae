// Building the grid model of a display of 16 Spaces whose cells all have a cached title, icon,
// composed preview and icon stack: resolving the display's layout, the titles, the images and
// the covers. Goal: under 50 µs median.
#include "BenchWorld.h"
#include "CachedGridContent.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>
#include <chrono>

namespace {

using namespace tessarin;

void BM_makeGridOSDModelOfSixteenCachedSpaces(benchmark::State& state) {
    const bench::QuietLog quiet;
    bench::EngineWorld world;
    auto dependencies = bench::quietDependencies();
    dependencies.presentation = nullptr;
    dependencies.windowPreviews = std::make_shared<bench::CachedWindowPreviews>();
    world.delegate = std::make_unique<AppDelegate>(std::move(dependencies));
    world.delegate->gridModeStore.isEnabled.set(true);
    const std::optional<std::string> display = "UUID-3";
    std::vector<double> microseconds;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        auto model =
            world.delegate->makeGridOSDModel(5, display, display, display, std::nullopt, true);
        microseconds.push_back(
            std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
                .count());
        if (!model || model->cellScreenshots().size() != 16) {
            state.SkipWithError("the model lacks its cached content");
            break;
        }
        benchmark::DoNotOptimize(model);
    }
    bench::reportLatencies(state, std::move(microseconds));
}
BENCHMARK(BM_makeGridOSDModelOfSixteenCachedSpaces)->UseRealTime();

} // namespace
