// Latency of a switch hotkey: from the host's key-down event entering the session to the Dock
// gesture posted, on a host of 4 displays with 16 Spaces each: the event's travel through the
// taps and the system's shortcut stages, the hot-key dispatch and the switching engine. The key
// up, the Dock's animation and the verification run outside the timed region. Goal: a median
// under 40 µs.
#include "Core/AppDelegate/AppDelegate.h"
#include "FourDisplayScenario.h"
#include "Platform/Dock.h"
#include "Platform/Host.h"
#include "Platform/Input/EventSystem.h"
#include "Platform/SystemCalls.h"
#include "QuietSeams.h"
#include "Support/VirtualMainQueue.h"
#include "TessarinCore/TessarinCore.h"

#include <algorithm>
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

struct World {
    VirtualMainQueue queue;
    ScopedMainQueue currentQueue{queue};
    Host host{bench::fourDisplaysOfSixteenSpaces(), queue};
    ScopedCurrentHost currentHost{host};
    std::unique_ptr<AppDelegate> delegate;
    // When the bridge last posted an event into the session.
    std::optional<std::chrono::steady_clock::time_point> lastPost;

    World() {
        tessarin_destroy();
        SystemCalls& calls = host.calls();
        calls.postEvent = [this, post = calls.postEvent](const Event& event) {
            post(event);
            lastPost = std::chrono::steady_clock::now();
        };
        delegate = std::make_unique<AppDelegate>(bench::quietDependencies());
        // The default bindings; a switch posts at once rather than waiting for the modifiers.
        delegate->gridModeStore.isEnabled.set(false);
        delegate->reregisterAllHotkeys();
        queue.runUntilIdle();
    }
    ~World() {
        delegate.reset();
        tessarin_destroy();
    }
};

void BM_hotkeyKeyDownToGesturePosted(benchmark::State& state) {
    // The verification writes one line per switch; the terminal is not what is measured.
    const LogSink previousSink = Logger::setSink([](const LogRecord&) {});
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
    Logger::setSink(previousSink);
    if (microseconds.empty()) {
        return;
    }
    std::sort(microseconds.begin(), microseconds.end());
    state.counters["median_us"] = microseconds[microseconds.size() / 2];
    state.counters["p90_us"] = microseconds[microseconds.size() * 9 / 10];
}
BENCHMARK(BM_hotkeyKeyDownToGesturePosted)->UseManualTime()->Iterations(2000);

} // namespace
