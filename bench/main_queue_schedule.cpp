// Draining a main queue that holds many items at once, as a start on a large host schedules
// them: due times spread over a second, a third due at once. The cost per item must not grow
// with the number waiting.

#include "Support/VirtualMainQueue.h"

#include <benchmark/benchmark.h>

namespace {

using namespace tessarin;

void BM_drainManyItems(benchmark::State& state) {
    const auto count = static_cast<int>(state.range(0));
    for (auto _ : state) {
        VirtualMainQueue queue;
        int ran = 0;
        for (int i = 0; i < count; ++i) {
            const double delay = i % 3 == 0 ? 0.0 : static_cast<double>((i * 7919) % 1000) / 1000;
            queue.asyncAfter(delay, [&ran] { ++ran; });
        }
        queue.advance(1);
        benchmark::DoNotOptimize(ran);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_drainManyItems)->Arg(20000)->Arg(40000)->Unit(benchmark::kMillisecond);

} // namespace
