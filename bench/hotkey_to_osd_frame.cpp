// Latency of the OSD after a switch hotkey: from the host's key-down event entering the session
// to the first frame of the grid painted (offscreen), on a host of 4 displays with 16 Spaces
// each whose cells all have cached content: the hot-key dispatch, the switch, the grid model,
// the window's layout and one drawing pass. Goal: under 5 ms median.
#include "BenchApplication.h"
#include "BenchWorld.h"
#include "CachedGridContent.h"
#include "Model/Settings/DisplaySettingsScope.h"
#include "Platform/Input/EventSystem.h"
#include "UI/OSD/OSDGridView.h"
#include "UI/OSD/OSDWindow.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <chrono>

namespace {

using namespace tessarin;

constexpr uint16_t kLeftArrow = 123;
constexpr uint16_t kRightArrow = 124;
constexpr uint64_t kControlOptionCommand =
    EventFlags::maskControl | EventFlags::maskAlternate | EventFlags::maskCommand;

// The delegate presents its own grids in the real window; a switch posts at once and shows
// the grid while the keys are held.
struct World : bench::EngineWorld {
    std::shared_ptr<OSDWindow> window = std::make_shared<OSDWindow>(nullptr);

    World() {
        auto dependencies = bench::quietDependencies();
        dependencies.presentation = nullptr;
        dependencies.osdWindow = window;
        dependencies.windowPreviews = std::make_shared<bench::CachedWindowPreviews>();
        delegate = std::make_unique<AppDelegate>(std::move(dependencies));
        delegate->gridModeStore.isEnabled.set(true);
        delegate->gridModeStore.setSwitchOnModifierRelease(false, DisplaySettingsScope::global());
        delegate->reregisterAllHotkeys();
        queue.runUntilIdle();
    }
};

void BM_hotkeyKeyDownToFirstOSDFrame(benchmark::State& state) {
    bench::application();
    const bench::QuietLog quiet;
    World world;
    PhysicalInput& hands = world.host.events().physical();
    std::vector<double> microseconds;
    // Until the window was handed the grid, before any drawing.
    std::vector<double> untilShown;
    bool right = true;
    for (auto _ : state) {
        const uint16_t key = right ? kRightArrow : kLeftArrow;
        state.PauseTiming();
        hands.holdModifiers(kControlOptionCommand);
        world.queue.runUntilIdle();
        state.ResumeTiming();
        const auto start = std::chrono::steady_clock::now();
        hands.keyDown(key);
        world.queue.runUntilIdle();
        untilShown.push_back(
            std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
                .count());
        OSDGridView* view = world.window->gridView();
        if (view == nullptr || !world.window->isGridVisible(std::string("UUID-3"))) {
            state.SkipWithError("the key down showed no grid");
            break;
        }
        const QPixmap frame = view->grab();
        microseconds.push_back(
            std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
                .count());
        benchmark::DoNotOptimize(frame);
        state.PauseTiming();
        hands.keyUp(key);
        hands.releaseAllModifiers();
        world.queue.advance(2);
        right = !right;
        state.ResumeTiming();
    }
    std::sort(untilShown.begin(), untilShown.end());
    if (!untilShown.empty()) {
        state.counters["shown_median_us"] = untilShown[untilShown.size() / 2];
    }
    bench::reportLatencies(state, std::move(microseconds));
}
BENCHMARK(BM_hotkeyKeyDownToFirstOSDFrame)->UseRealTime()->Unit(benchmark::kMicrosecond);

} // namespace
