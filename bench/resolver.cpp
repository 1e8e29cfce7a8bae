// Cost of one grid move: the resolver runs on every arrow key and every menu refresh.
#include "TessarinCore/GridTargetResolver.h"
#include "TessarinCore/TessarinCore.h"

#include <benchmark/benchmark.h>
#include <vector>

namespace {

using tessarin::GridMoveDirection;
using tessarin::GridMoveRequest;

// A spread of grids, positions, directions and flags, so no single branch is measured alone.
std::vector<GridMoveRequest> requests() {
    std::vector<GridMoveRequest> all;
    for (uint32_t count : {1u, 7u, 16u}) {
        for (uint32_t columns : {2u, 3u, 4u}) {
            for (uint32_t from = 0; from < count; from += 3) {
                for (uint32_t d = 0; d < 4; ++d) {
                    for (int flags = 0; flags < 4; ++flags) {
                        all.push_back(GridMoveRequest{from, count, GridMoveDirection(d), true,
                                                      columns, (flags & 1) != 0, (flags & 2) != 0});
                    }
                }
            }
        }
    }
    return all;
}

void BM_resolveGridTargetIndex(benchmark::State& state) {
    const auto all = requests();
    std::size_t next = 0;
    for (auto _ : state) {
        auto target = tessarin::resolveGridTargetIndex(all[next]);
        benchmark::DoNotOptimize(target);
        next = next + 1 == all.size() ? 0 : next + 1;
    }
}
BENCHMARK(BM_resolveGridTargetIndex);

void BM_resolveThroughCInterface(benchmark::State& state) {
    const auto all = requests();
    std::size_t next = 0;
    for (auto _ : state) {
        const GridMoveRequest& r = all[next];
        uint32_t target = 0;
        bool found = tessarin_resolve_target_index_with_wrap_style(
            TessarinSpaceInfo{r.currentIndex, r.count, 1}, tessarin::rawValue(r.direction),
            r.gridMode, r.columns, r.blocksAtEdges, r.pacMan, &target);
        benchmark::DoNotOptimize(found);
        benchmark::DoNotOptimize(target);
        next = next + 1 == all.size() ? 0 : next + 1;
    }
}
BENCHMARK(BM_resolveThroughCInterface);

} // namespace
