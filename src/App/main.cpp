// The program: the simulated host from a scenario, the defaults file, the application object,
// the delegate, the run. Without a display it runs offscreen, only to write the launch OSD's
// snapshot, and quits when that is done.

#include "App/ProgramSetup.h"
#include "App/TerminationSignals.h"
#include "Core/AppDelegate/AppDelegate.h"
#include "Core/AppDelegate/ApplicationDelegate.h"
#include "Core/Presentation/OSDPresentationMetrics.h"
#include "Platform/Host.h"
#include "Support/Environment.h"
#include "Support/ProcessMemory.h"
#include "Support/QtMainQueue.h"
#include "UI/MenuBar/StatusBarMirror.h"
#include "UI/OSD/OSDWindow.h"

#include <QApplication>
#include <QGuiApplication>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>

using namespace tessarin;

namespace {

AppDelegateDependencies programDependencies(const std::vector<std::string>& arguments,
                                            const std::shared_ptr<OSDWindow>& osdWindow) {
    AppDelegateDependencies dependencies;
    dependencies.osdWindow = osdWindow;
    dependencies.launchArguments = arguments;
    dependencies.launchSnapshotWriter =
        [weakWindow = std::weak_ptr<OSDWindow>(osdWindow)](
            const std::filesystem::path& path) -> std::optional<std::string> {
        const auto window = weakWindow.lock();
        if (!window) {
            return "no OSD window";
        }
        const auto failure = window->writeVisibleGridSnapshot(path);
        return failure ? std::optional<std::string>(describeSnapshotFailure(*failure))
                       : std::nullopt;
    };
    return dependencies;
}

// With TESSARIN_LAUNCH_METRICS on, how long the start-up took until its status item shows (the
// mirror draws on the queue's next turn).
void reportLaunchDuration(std::chrono::steady_clock::time_point started,
                          const std::optional<StatusBarMirror>& mirror) {
    if (!isEnvironmentSwitchOn("TESSARIN_LAUNCH_METRICS")) {
        return;
    }
    MainQueue::main().async([started, &mirror] {
        const std::chrono::duration<double, std::milli> elapsed =
            std::chrono::steady_clock::now() - started;
        std::fprintf(stderr, "launch.statusItem elapsedMs=%.2f showing=%s\n", elapsed.count(),
                     mirror && mirror->isShowing() ? "true" : "false");
    });
}

} // namespace

int main(int argc, char** argv) {
    const auto started = std::chrono::steady_clock::now();
    ProcessMemory::returnLargeBlocksWhenFreed();
    const std::vector<std::string> arguments(argv, argv + argc);
    const bool headless = !hasDisplay();
    if (headless &&
        !LaunchOptions::parse(arguments, LaunchOptions::processEnvironment()).osdSnapshotPath) {
        std::printf("No display (DISPLAY and WAYLAND_DISPLAY are unset) and no snapshot path "
                    "(--osd-snapshot-path): nothing to show, quitting.\n");
        return 0;
    }
    if (headless) {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    const ScenarioParseResult scenario = programScenario(arguments);
    if (!scenario) {
        std::fprintf(stderr, "%s\n", scenario.error.c_str());
        return 2;
    }

    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    QtMainQueue queue;
    ScopedMainQueue currentQueue(queue);
    Host host(*scenario.scenario, queue, HostOptions{programDefaultsFile()});
    ScopedCurrentHost currentHost(host);
    const auto osdWindow = std::make_shared<OSDWindow>(&OSDPresentationMetrics::recorder());
    auto delegate = std::make_unique<AppDelegate>(programDependencies(arguments, osdWindow));
    // The shortcut recorders reach the delegate through the application, as views do.
    ApplicationDelegate::install(delegate.get());
    if (headless) {
        delegate->launchSnapshotFinished = [](bool written) {
            QCoreApplication::exit(written ? 0 : 1);
        };
    }
    TerminationSignals signals;
    // Offscreen nothing is on screen to mirror the status item into.
    std::optional<StatusBarMirror> statusBarMirror;
    if (!headless) {
        statusBarMirror.emplace(host.statusBar());
    }
    delegate->applicationDidFinishLaunching();
    reportLaunchDuration(started, statusBarMirror);
    QObject::connect(&application, &QGuiApplication::applicationStateChanged, &application,
                     [&delegate](Qt::ApplicationState state) {
                         if (!delegate) {
                             return;
                         }
                         if (state == Qt::ApplicationActive) {
                             delegate->applicationDidBecomeActive();
                         } else {
                             delegate->applicationDidResignActive();
                         }
                     });
    const int status = QApplication::exec();
    delegate->applicationWillTerminate();
    ApplicationDelegate::install(nullptr);
    delegate.reset();
    statusBarMirror.reset();
    return status;
}
