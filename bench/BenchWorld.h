#pragma once

#include "Core/AppDelegate/AppDelegate.h"
#include "FourDisplayScenario.h"
#include "Platform/Host.h"
#include "QuietSeams.h"
#include "Support/Logger.h"
#include "Support/VirtualMainQueue.h"
#include "TessarinCore/TessarinCore.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <memory>
#include <vector>

namespace tessarin::bench {

// The four-display host made current on a virtual queue, with a delegate whose neighbours do
// nothing, and a fresh bridge.
struct EngineWorld {
    VirtualMainQueue queue;
    ScopedMainQueue currentQueue{queue};
    Host host{fourDisplaysOfSixteenSpaces(), queue};
    ScopedCurrentHost currentHost{host};
    std::unique_ptr<AppDelegate> delegate;

    EngineWorld() {
        tessarin_destroy();
        delegate = std::make_unique<AppDelegate>(quietDependencies());
    }
    ~EngineWorld() {
        delegate.reset();
        tessarin_destroy();
    }
    EngineWorld(const EngineWorld&) = delete;
    EngineWorld& operator=(const EngineWorld&) = delete;
};

// Drops log lines for its lifetime: a switch's verification writes one, and the terminal is not
// what is measured.
class QuietLog {
public:
    QuietLog() : previous_(Logger::setSink([](const LogRecord&) {})) {}
    ~QuietLog() { Logger::setSink(previous_); }
    QuietLog(const QuietLog&) = delete;
    QuietLog& operator=(const QuietLog&) = delete;

private:
    LogSink previous_;
};

// The median and 90th percentile of per-iteration latencies, as counters beside the mean.
inline void reportLatencies(benchmark::State& state, std::vector<double> microseconds) {
    if (microseconds.empty()) {
        return;
    }
    std::sort(microseconds.begin(), microseconds.end());
    state.counters["median_us"] = microseconds[microseconds.size() / 2];
    state.counters["p90_us"] = microseconds[microseconds.size() * 9 / 10];
}

} // namespace tessarin::bench
