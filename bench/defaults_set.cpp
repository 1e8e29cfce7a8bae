// What a change of a setting costs the thread that makes it (the main thread, in the program)
// while other writers of the same settings file write steadily: the mean and, as a counter, the
// longest single `set`. Each other writer is a store of its own on a thread of its own, with a
// lock of its own on the file, as another process has.
#include "Platform/Preferences/UserDefaults.h"

#include <QTemporaryDir>
#include <algorithm>
#include <atomic>
#include <benchmark/benchmark.h>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace tessarin;

void BM_setWhileOthersWriteTheFile(benchmark::State& state) {
    QTemporaryDir folder;
    const std::filesystem::path file = folder.filePath("defaults.json").toStdString();
    std::atomic<bool> writing{true};
    std::vector<std::thread> others;
    for (int n = 0; n < state.range(0); ++n) {
        others.emplace_back([&, n] {
            UserDefaults other(file);
            // A large key makes each of its writes long, as the Spaces configuration does.
            other.set("big" + std::to_string(n), std::string(512 * 1024, 'x'));
            for (int64_t count = 0; writing; ++count) {
                other.set("other" + std::to_string(n), count);
                other.flush(std::chrono::seconds(5));
            }
        });
    }
    UserDefaults defaults(file);
    std::chrono::nanoseconds longest{0};
    int64_t count = 0;
    for (auto _ : state) {
        const auto started = std::chrono::steady_clock::now();
        defaults.set("mine", ++count);
        longest = std::max(longest, std::chrono::steady_clock::now() - started);
    }
    writing = false;
    for (std::thread& other : others) {
        other.join();
    }
    state.counters["longestSetUs"] =
        static_cast<double>(std::chrono::duration_cast<std::chrono::microseconds>(longest).count());
    if (!defaults.flush(std::chrono::seconds(20))) {
        state.SkipWithError("the last change was not written");
    }
}
BENCHMARK(BM_setWhileOthersWriteTheFile)->Arg(0)->Arg(2)->Unit(benchmark::kMicrosecond);

} // namespace
