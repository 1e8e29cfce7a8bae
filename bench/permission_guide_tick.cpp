// Cost of one tick of the permission guide's 30 Hz loop while System Settings stands still: the
// window-list lookup, the conversion to screen coordinates and the unchanged frame (which writes
// nothing), with 200 windows of other applications on 4 displays.
#include "FourDisplayScenario.h"
#include "Platform/Host.h"
#include "Platform/SystemSettings/SystemSettings.h"
#include "Platform/WindowServer.h"
#include "Support/VirtualMainQueue.h"
#include "UI/Health/PermissionGuidePanel.h"
#include "UI/Health/TessarinPrivacyPermissionGuidePresenter.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <cstdlib>

namespace {

using namespace tessarin;

void ensureApplication() {
    static int argc = 1;
    static char name[] = "bench_permission_guide_tick";
    static char* argv[] = {name, nullptr};
    if (!QApplication::instance()) {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        static QApplication* application = new QApplication(argc, argv);
        (void)application;
    }
}

struct World {
    VirtualMainQueue queue;
    ScopedMainQueue currentQueue{queue};
    Host host{bench::fourDisplaysOfSixteenSpaces(), queue};
    ScopedCurrentHost currentHost{host};

    World() {
        ensureApplication();
        host.systemSettings().open(
            "x-apple.systempreferences:com.apple.preference.security?Privacy_Accessibility");
        // 50 windows of other applications on the current Space of each display.
        for (int i = 0; i < 200; ++i) {
            const int display = i % 4;
            const SpaceID space = 100 + static_cast<SpaceID>(display) * 16 + 5;
            host.windowServer().addWindow(
                ServerWindow{0,
                             2000 + i,
                             "Application " + std::to_string(i),
                             std::string("Document"),
                             Rect(1920.0 * display + (i % 50) * 10, 40 + (i % 50) * 8, 900, 700),
                             0,
                             1.0,
                             1,
                             {space}});
        }
    }
};

void BM_unchangedGuideTick(benchmark::State& state) {
    World world;
    TessarinPrivacyPermissionGuidePresenter guide;
    guide.presentGuide(TessarinPrivacyPermission::accessibility, std::nullopt);
    const int writes = guide.panel()->frameWrites();
    for (auto _ : state) {
        guide.updateTrackedPosition();
    }
    if (guide.panel()->frameWrites() != writes) {
        state.SkipWithError("an unchanged tick moved the panel");
    }
    guide.dismissGuide();
}
BENCHMARK(BM_unchangedGuideTick)->Repetitions(5)->ReportAggregatesOnly(true);

// The host's window list alone, for comparison: most of a tick is reading it.
void BM_windowListAlone(benchmark::State& state) {
    World world;
    for (auto _ : state) {
        auto windows = world.host.windowServer().windowList(
            WindowListOption::onScreenOnly | WindowListOption::excludeDesktopElements, 0);
        benchmark::DoNotOptimize(windows);
    }
}
BENCHMARK(BM_windowListAlone)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace
