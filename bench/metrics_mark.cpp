// A latency mark with metrics switched off, on a live trace: one test of a flag, the field
// builder never run and nothing allocated. Goal: under 5 ns, no allocation.
#include "Core/Presentation/OSDPresentationMetrics.h"

#include <atomic>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <new>

namespace {
std::atomic<std::size_t> allocations{0};
} // namespace

// Every allocation of this program is counted.
void* operator new(std::size_t size) {
    allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* memory = std::malloc(size == 0 ? 1 : size)) {
        return memory;
    }
    throw std::bad_alloc();
}
void operator delete(void* memory) noexcept {
    std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
    std::free(memory);
}

namespace {

using namespace tessarin;

void BM_markWithMetricsOff(benchmark::State& state) {
    OSDPresentationMetrics::overrideEnabledForTesting(false);
    const auto trace = std::make_shared<OSDPresentationMetrics::Trace>(
        OSDPresentationMetrics::Trace{1, "hotkey", 0, 0});
    const std::size_t before = allocations.load();
    for (auto _ : state) {
        OSDPresentationMetrics::mark("osd.presentation.built", trace, [] {
            return OSDPresentationMetrics::Fields{{"modelMs", "0.00"}};
        });
        benchmark::ClobberMemory();
    }
    state.counters["allocations"] = static_cast<double>(allocations.load() - before);
}
BENCHMARK(BM_markWithMetricsOff);

} // namespace
