// The preferences window's first opening: the window, its toolbar and every page built, the
// stored page shown and painted once.

#include "BenchApplication.h"
#include "Platform/Host.h"
#include "Platform/Scenario.h"
#include "Support/VirtualMainQueue.h"
#include "UI/Preferences/Kit/PreferencesPanel.h"
#include "UI/Preferences/Kit/SettingsPageViewController.h"
#include "UI/Preferences/Window/PreferencesTabViewController.h"
#include "UI/Preferences/Window/PreferencesWindowController.h"

#include <benchmark/benchmark.h>

namespace {

using namespace tessarin;
using tessarin::bench::application;

void openPreferencesWindowFirstTime(benchmark::State& state) {
    application();
    VirtualMainQueue queue;
    ScopedMainQueue scopedQueue(queue);
    Host host(Scenario::defaultScenario(), queue);
    ScopedCurrentHost scopedHost(host);
    for (auto _ : state) {
        PreferencesWindowController window(nullptr);
        window.bringWindowToFront();
        // Every page's view, as a user stepping through the toolbar once builds them.
        for (const PreferencesPage page : allPreferencesPages) {
            window.tabViewController().pageController(page).view();
        }
        benchmark::DoNotOptimize(window.window()->grab());
        state.PauseTiming();
        window.window()->hide();
        state.ResumeTiming();
    }
}
BENCHMARK(openPreferencesWindowFirstTime)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

} // namespace
