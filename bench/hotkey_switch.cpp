// Latency of a switch hotkey: from the host's key-down event entering the session to the Dock
// gesture posted, on a host of 4 displays with 16 Spaces each: the event's travel through the
// taps and the system's shortcut stages, the hot-key dispatch and the switching engine. The key
// up, the Dock's animation and the verification run outside the timed region. Goal: a median
// under 40 µs.
#include "BenchWorld.h"
#include "Platform/Dock.h"
#include "Platform/Input/EventSystem.h"
#include "Platform/SystemCalls.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <optional>
#include <vector>

namespace {

using namespace tessarin;

constexpr uint16_t kLeftArrow = 123;
constexpr uint16_t kRightArrow = 124;
constexpr uint64_t kControlOptionCommand =
    EventFlags::maskControl | EventFlags::maskAlternate | EventFlags::maskCommand;

// The engine's world, hot keys bound, with the time of the bridge's last post into the session.
struct World : bench::EngineWorld {
    std::optional<std::chrono::steady_clock::time_point> lastPost;

    World() {
        SystemCalls& calls = host.calls();
        calls.postEvent = [this, post = calls.postEvent](const Event& event) {
            post(event);
            lastPost = std::chrono::steady_clock::now();
        };
        // The default bindings; a switch posts at once rather than waiting for the modifiers.
        delegate->gridModeStore.isEnabled.set(false);
        delegate->reregisterAllHotkeys();
        queue.runUntilIdle();
    }
};

void BM_hotkeyKeyDownToGesturePosted(benchmark::State& state) {
    const bench::QuietLog quiet;
    World world;
    PhysicalInput& hands = world.host.events().physical();
    std::vector<double> microseconds;
    bool right = true;
    for (auto _ : state) {
        const uint16_t key = right ? kRightArrow : kLeftArrow;
        world.lastPost.reset();
        const auto start = std::chrono::steady_clock::now();
        hands.keyDown(key, kControlOptionCommand);
        // The key down travels the session and the hot key switches; the Dock's handling of the
        // gesture runs too but after the last post, outside the measure.
        world.queue.runUntilIdle();
        if (!world.lastPost) {
            state.SkipWithError("the key down posted no gesture");
            break;
        }
        const double elapsed = std::chrono::duration<double>(*world.lastPost - start).count();
        state.SetIterationTime(elapsed);
        microseconds.push_back(elapsed * 1e6);
        right = !right;
        hands.keyUp(key, kControlOptionCommand);
        world.queue.advance(1.5);
    }
    bench::reportLatencies(state, std::move(microseconds));
}
BENCHMARK(BM_hotkeyKeyDownToGesturePosted)->UseManualTime()->Iterations(2000);

} // namespace
