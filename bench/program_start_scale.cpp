// The program's start as the host grows: 1, 4, 16 and 64 displays of 16 Spaces with 50 windows
// each, from the scenario file to the launch picker's snapshot (`snapshot_ms`) and through the
// first preview refresh, every Space's preview captured once (`refresh_ms`), with the launch
// delays at 0. Each run is a fresh process that composes the program as `main` does, so its
// peak memory and the memory it holds once settled after the refresh are its own.
// Goal: the work grows at most linearly with displays x Spaces + windows; at 16 displays the
// snapshot within 500 ms.
//
// At the bounds (64 displays of 256 Spaces, empty or with 312 windows each, 19,968 in all) the
// start is ended by SIGTERM 1 s after the snapshot, as the program's own handlers end it: the
// counters add how long the quit took (`exit_ms`, from the signal to the delegate gone) and
// whether it was clean (`status` 0; 143 when the 2 s watchdog had to cut it short). Empty Spaces
// should cost no more memory than Spaces with windows.

#include "Core/AppDelegate/AppDelegate.h"
#include "Core/AppDelegate/ProgramDependencies.h"
#include "Core/Presentation/OSDPresentationMetrics.h"
#include "Model/Seams/ApplicationDelegate.h"
#include "Platform/Host.h"
#include "Platform/Scenario.h"
#include "ProcessStatus.h"
#include "Support/QtMainQueue.h"
#include "Support/TerminationSignals.h"
#include "UI/OSD/OSDWindow.h"

#include <QApplication>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <poll.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

using namespace tessarin;
using Clock = std::chrono::steady_clock;

constexpr int kApplications = 8;
constexpr int kChildTimeoutSeconds = 180;
constexpr rlim_t kChildAddressSpace = rlim_t{8} << 30;
// A sanitizer reserves terabytes of address space for its shadow memory: under it the bound
// would stop the child's first allocation, so the child runs unbounded.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr bool kBoundChildAddressSpace = false;
#else
constexpr bool kBoundChildAddressSpace = true;
#endif

struct HostShape {
    int displays = 1;
    int spacesPerDisplay = 16;
    int windowsPerDisplay = 50;
};

Scenario scaledScenario(const HostShape& shape) {
    const int displays = shape.displays;
    Scenario scenario;
    SpaceID nextSpace = 100;
    for (int d = 1; d <= displays; ++d) {
        const double x = 1920.0 * (d - 1);
        const std::string uuid = "UUID-" + std::to_string(d);
        scenario.displays.push_back(Screen{static_cast<DisplayID>(d), uuid,
                                           "Display " + std::to_string(d), Rect(x, 0, 1920, 1080),
                                           Rect(x, 0, 1920, 1055), 2.0});
        ScenarioSpaceList list{uuid, {}, 0};
        for (int s = 0; s < shape.spacesPerDisplay; ++s) {
            list.spaces.push_back({nextSpace++, kSpaceTypeUserDesktop, "", std::nullopt});
        }
        list.currentSpace = list.spaces.front().id;
        for (int w = 0; w < shape.windowsPerDisplay; ++w) {
            ServerWindow window;
            window.ownerPID = 1000 + w % kApplications;
            window.ownerName = "App " + std::to_string(w % kApplications);
            window.name = "Window " + std::to_string(d) + "." + std::to_string(w);
            window.bounds = Rect(x + 40 + (w * 37) % 800, 40 + (w * 23) % 400, 900, 600);
            window.spaces = {list.spaces[static_cast<std::size_t>(w % shape.spacesPerDisplay)].id};
            scenario.windows.push_back(std::move(window));
        }
        scenario.spaceLists.push_back(std::move(list));
    }
    for (int a = 0; a < kApplications; ++a) {
        scenario.applications.push_back(
            {1000 + a, "com.example.app" + std::to_string(a), "App " + std::to_string(a)});
    }
    scenario.activeMenuBarDisplay = 1;
    scenario.mouseLocation = Point{960, 540};
    return scenario;
}

struct StartMeasurement {
    double snapshotMilliseconds = 0;
    double refreshMilliseconds = 0;
    double peakMegabytes = 0;
    double settledMegabytes = 0;
    double previews = 0;
    double exitMilliseconds = 0;
    bool written = false;
};

// How many Spaces have a composed preview on their own display; the first refresh is through
// when every Space has one (each Space of the scenario has windows).
std::size_t composedPreviews(AppDelegate& delegate, const Scenario& scenario) {
    WindowPreviewCaching& previews = delegate;
    std::size_t count = 0;
    for (const ScenarioSpaceList& list : scenario.spaceLists) {
        std::vector<SpaceID> ids;
        for (const ScenarioSpace& space : list.spaces) {
            ids.push_back(space.id);
        }
        count += previews.previewMap(list.displayIdentifier, ids).size();
    }
    return count;
}

// The program's own composition (see src/App/main.cpp), in this process. With `signalled`, the
// run is ended by SIGTERM 1 s after the snapshot instead of after the first refresh.
StartMeasurement startProgram(const std::filesystem::path& folder, bool signalled) {
    const auto started = Clock::now();
    const auto since = [started] {
        return std::chrono::duration<double, std::milli>(Clock::now() - started).count();
    };
    StartMeasurement measured;
    const ScenarioParseResult scenario = loadScenarioFile(folder / "scenario.json");
    if (!scenario) {
        std::fprintf(stderr, "%s\n", scenario.error.c_str());
        return measured;
    }
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // The offscreen platform's notes would break the benchmark's table.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    int argc = 1;
    char name[] = "tessarin";
    char* argv[] = {name, nullptr};
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    QtMainQueue queue;
    ScopedMainQueue currentQueue(queue);
    Host host(*scenario.scenario, queue, HostOptions{folder / "defaults.json"});
    ScopedCurrentHost currentHost(host);
    const auto osdWindow = std::make_shared<OSDWindow>(&OSDPresentationMetrics::recorder());
    auto delegate = std::make_unique<AppDelegate>(
        programDependencies({"tessarin", "--show-osd-on-launch-delay", "0", "--osd-snapshot-delay",
                             "0", "--osd-snapshot-path", (folder / "snapshot.png").string()},
                            osdWindow));
    ApplicationDelegate::install(delegate.get());
    TerminationSignals signals;
    bool snapshotTaken = false;
    double signalledAt = 0;
    delegate->launchSnapshotFinished = [&](bool written) {
        measured.snapshotMilliseconds = since();
        measured.written = written;
        snapshotTaken = true;
        if (signalled) {
            QTimer::singleShot(1000, [&signalledAt, &since] {
                signalledAt = since();
                ::kill(::getpid(), SIGTERM);
            });
        }
    };
    delegate->applicationDidFinishLaunching();
    QTimer poll;
    std::size_t spaces = 0;
    for (const ScenarioSpaceList& list : scenario.scenario->spaceLists) {
        spaces += list.spaces.size();
    }
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (!signalled && snapshotTaken &&
            composedPreviews(*delegate, *scenario.scenario) == spaces) {
            measured.refreshMilliseconds = since();
            measured.previews = static_cast<double>(spaces);
            QApplication::quit();
        }
    });
    poll.start(5);
    QApplication::exec();
    measured.settledMegabytes = bench::statusMegabytes("self", "VmRSS").value_or(0);
    measured.peakMegabytes = bench::statusMegabytes("self", "VmHWM").value_or(0);
    delegate->applicationWillTerminate();
    ApplicationDelegate::install(nullptr);
    delegate.reset();
    if (signalled) {
        measured.exitMilliseconds = since() - signalledAt;
    }
    return measured;
}

// Runs one start in a child process; nothing when it failed or took too long. `status` is the
// child's exit status (128 + the signal when the watchdog ended it).
std::optional<StartMeasurement> measureInChild(const std::filesystem::path& folder, bool signalled,
                                               int& status) {
    int channel[2];
    if (::pipe(channel) != 0) {
        return std::nullopt;
    }
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(channel[0]);
        // The program's "Wrote OSD snapshot" line would break the benchmark's table.
        std::freopen("/dev/null", "w", stdout);
        if (kBoundChildAddressSpace) {
            const rlimit limit{kChildAddressSpace, kChildAddressSpace};
            ::setrlimit(RLIMIT_AS, &limit);
        }
        const StartMeasurement measured = startProgram(folder, signalled);
        [[maybe_unused]] const auto written = ::write(channel[1], &measured, sizeof measured);
        ::_exit(0);
    }
    ::close(channel[1]);
    std::optional<StartMeasurement> result;
    pollfd readable{channel[0], POLLIN, 0};
    StartMeasurement measured;
    if (child > 0 && ::poll(&readable, 1, kChildTimeoutSeconds * 1000) == 1 &&
        ::read(channel[0], &measured, sizeof measured) == sizeof measured && measured.written) {
        result = measured;
    } else if (child > 0) {
        ::kill(child, SIGKILL);
    }
    ::close(channel[0]);
    if (child > 0) {
        int waited = 0;
        ::waitpid(child, &waited, 0);
        status = WIFEXITED(waited) ? WEXITSTATUS(waited) : 128 + WTERMSIG(waited);
    }
    return result;
}

void measureStart(benchmark::State& state, const HostShape& shape, bool signalled) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("tessarin-start-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "scenario.json") << scenarioToJson(scaledScenario(shape)).dump();
    StartMeasurement last;
    int status = 0;
    for (auto _ : state) {
        std::filesystem::remove(folder / "defaults.json");
        const auto measured = measureInChild(folder, signalled, status);
        if (!measured) {
            state.counters["status"] = status;
            state.SkipWithError(status != 0 ? "the start ended with a failure status"
                                            : "the start failed or took longer than the time-out");
            break;
        }
        state.SetIterationTime(measured->snapshotMilliseconds / 1000.0);
        last = *measured;
    }
    std::filesystem::remove_all(folder);
    state.counters["displays"] = shape.displays;
    state.counters["spaces"] = shape.displays * shape.spacesPerDisplay;
    state.counters["windows"] = shape.displays * shape.windowsPerDisplay;
    state.counters["snapshot_ms"] = last.snapshotMilliseconds;
    state.counters["peak_MB"] = last.peakMegabytes;
    state.counters["settled_MB"] = last.settledMegabytes;
    if (signalled) {
        state.counters["exit_ms"] = last.exitMilliseconds;
        state.counters["status"] = status;
    } else {
        state.counters["previews"] = last.previews;
        state.counters["refresh_ms"] = last.refreshMilliseconds;
    }
}

void BM_programStart(benchmark::State& state) {
    measureStart(state, {static_cast<int>(state.range(0)), 16, 50}, false);
}
BENCHMARK(BM_programStart)
    ->Arg(1)
    ->Arg(4)
    ->Arg(16)
    ->Arg(64)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// 64 displays of 256 Spaces with this many windows each (312: 19,968 in all, every Space has one).
void BM_programStartAtTheBounds(benchmark::State& state) {
    measureStart(state, {64, 256, static_cast<int>(state.range(0))}, true);
}
BENCHMARK(BM_programStartAtTheBounds)
    ->ArgName("windowsPerDisplay")
    ->Arg(0)
    ->Arg(312)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

} // namespace
