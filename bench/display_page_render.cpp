// Rebuilding the Display page as every store revision does: two displays with separate Spaces,
// one of them chosen, so the page shows its customizations row and reads its overrides. Goal:
// under 4 ms median.

#include "BenchApplication.h"
#include "Model/Settings/DisplayPresentationSettingsStore.h"
#include "Platform/Host.h"
#include "Platform/Scenario.h"
#include "Support/MainQueue.h"
#include "Support/VirtualMainQueue.h"
#include "UI/Preferences/Display/DisplaySettingsViewController.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>

namespace {

using namespace tessarin;
using tessarin::bench::application;

void renderDisplayPage(benchmark::State& state) {
    application();
    VirtualMainQueue queue;
    ScopedMainQueue scopedQueue(queue);
    Host host(Scenario::defaultScenario(), queue);
    ScopedCurrentHost current(host);
    {
        DisplaySettingsViewController page;
        page.view()->resize(620, 700);
        page.view()->show();
        queue.runUntilIdle();
        page.displayTargetChanged(0);
        const auto display = page.targets().displayIdentifier();
        if (!display) {
            state.SkipWithError("the default scenario should list a display first");
            return;
        }
        DisplayPresentationSettingsStore::shared().setGridSize(
            OSDGridSize::extraLarge, DisplaySettingsScope::display(*display));
        queue.runUntilIdle();
        for (auto _ : state) {
            page.resetRowReferences();
            page.renderMainPage();
            // What the event loop does next: lay the new rows out and drop the old ones.
            QCoreApplication::sendPostedEvents();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }
    queue.runUntilIdle();
}
BENCHMARK(renderDisplayPage)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

} // namespace
