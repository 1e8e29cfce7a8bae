// The program: the simulated host from a scenario, the defaults file, the application object,
// the delegate, the run. Without a display it runs offscreen, only to write the launch OSD's
// snapshot, and quits when that is done.

#include "Core/AppDelegate/AppDelegate.h"
#include "Core/AppDelegate/ProgramActivationFeed.h"
#include "Core/AppDelegate/ProgramDependencies.h"
#include "Core/AppDelegate/ProgramLaunch.h"
#include "Core/Presentation/OSDPresentationMetrics.h"
#include "Model/Seams/ApplicationDelegate.h"
#include "Platform/Host.h"
#include "Platform/MachineInput/MachineInputSession.h"
#include "Platform/MachineInput/MachineKeyboardFeed.h"
#include "Platform/MachineInput/MachineMouseFeed.h"
#include "Platform/MachineInput/X11DisplayProbe.h"
#include "Platform/MachineInput/X11HotKeyGrab.h"
#include "Platform/MachineScreen.h"
#include "Platform/Preferences/DefaultsFileValues.h"
#include "Platform/Preferences/DefaultsFileWatcher.h"
#include "Platform/Preferences/UserDefaults.h"
#include "Platform/Program/RunningCopy.h"
#include "Platform/Scenario.h"
#include "Support/Environment.h"
#include "Support/Logger.h"
#include "Support/ProcessMemory.h"
#include "Support/QtMainQueue.h"
#include "Support/TerminationSignals.h"
#include "UI/Alerts/SystemAlertDialog.h"
#include "UI/MenuBar/StatusBarMirror.h"
#include "UI/MissionControl/MissionControlMirror.h"
#include "UI/OSD/OSDWindow.h"
#include "UI/Preferences/Kit/ProgramPalette.h"
#include "UI/Preferences/Kit/ProgramStyle.h"
#include "UI/SystemSettings/SystemSettingsMirror.h"

#include <QApplication>
#include <QScreen>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

using namespace tessarin;

namespace {

ScenarioParseResult programScenario(const ProgramLaunch& launch) {
    if (launch.scenarioFile) {
        return loadScenarioFile(*launch.scenarioFile);
    }
    return ScenarioParseResult{Scenario::defaultScenario(), {}};
}

const Logger& launchLogger() {
    static const Logger instance("Launch");
    return instance;
}

// How long a second start waits for the running copy to answer (it may still be starting).
constexpr std::chrono::seconds kRunningCopyAnswerWait{10};

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

// The host's displays are shown on the machine's first screen, shrunk to fit when they would not.
void showDisplaysOnMachineScreen(Host& host) {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        MachineScreen::of(host).setArea(
            Rect{static_cast<double>(area.x()), static_cast<double>(area.y()),
                 static_cast<double>(area.width()), static_cast<double>(area.height())});
    }
}

} // namespace

int main(int argc, char** argv) {
    const auto started = std::chrono::steady_clock::now();
    ProcessMemory::returnLargeBlocksWhenFreed();
    const std::vector<std::string> arguments(argv, argv + argc);
    const ProgramLaunch launch =
        ProgramLaunch::decide(arguments, LaunchOptions::processEnvironment());
    switch (launch.action) {
    case ProgramLaunch::Action::printUsage:
        std::fputs(ProgramLaunch::usage().c_str(), stdout);
        return 0;
    case ProgramLaunch::Action::quitWithoutDisplay:
        std::printf("%s\n", ProgramLaunch::quitWithoutDisplayMessage);
        return 0;
    case ProgramLaunch::Action::run:
        break;
    }
    // Before the slow part of the start (a large scenario read), so a signal then ends the run
    // as one a moment later does.
    TerminationSignals signals;
    // The toolkit aborts when it cannot open its display: a setup to name, not a crash.
    std::optional<X11DisplayProbe> displayProbe;
    if (launch.x11Display) {
        displayProbe = X11DisplayProbe::open(*launch.x11Display);
        if (!displayProbe) {
            std::fprintf(stderr, "%s\n",
                         ProgramLaunch::unopenableDisplayMessage(*launch.x11Display).c_str());
            return 1;
        }
    }
    const bool headless = launch.offscreen;
    if (headless) {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    const ScenarioParseResult scenario = programScenario(launch);
    if (!scenario) {
        std::fprintf(stderr, "%s\n", scenario.error.c_str());
        return 2;
    }
    if (TerminationSignals::received()) {
        return 0; // asked to end while it read: nothing is shown or changed yet
    }

    QApplication application(argc, argv);
    // The toolkit's own connection now keeps the server from starting over.
    displayProbe.reset();
    QApplication::setQuitOnLastWindowClosed(false);
    // A later start for the same settings file brings this run forward instead of running
    // beside it.
    std::unique_ptr<AppDelegate> delegate;
    std::optional<RunningCopy> runningCopy;
    std::optional<PropertyDictionary> readOnlyDefaults;
    const bool snapshotRun =
        ProgramLaunch::besideRunningCopy(arguments, LaunchOptions::processEnvironment()) ==
        ProgramLaunch::BesideRunningCopy::writeSnapshotReadOnly;
    // A snapshot run is no copy a later start should defer to: it never claims the file, and
    // only reads it while a copy holds it.
    if (launch.defaultsFile && !snapshotRun) {
        runningCopy.emplace(*launch.defaultsFile, [&delegate] {
            if (delegate) {
                delegate->openPreferences();
                launchLogger().notice("launch.reopened by=another start opened=preferences");
            }
        });
        if (runningCopy->claim() == RunningCopy::Claim::heldElsewhere) {
            const auto second = ProgramLaunch::secondStart(
                *launch.defaultsFile, runningCopy->askToComeForward(kRunningCopyAnswerWait));
            std::printf("%s\n", second.line.c_str());
            return second.status;
        }
    }
    if (launch.defaultsFile && snapshotRun && RunningCopy::runsElsewhere(*launch.defaultsFile)) {
        // The running copy owns the file: this run only reads what it holds now.
        DefaultsFileValues current = DefaultsFileValues::read(*launch.defaultsFile);
        launchLogger().notice(
            ProgramLaunch::besideRunningCopyLine(*launch.defaultsFile, current.error));
        readOnlyDefaults = std::move(current.values);
    }
    const bool snapshotOnly = headless || readOnlyDefaults.has_value();
    QtMainQueue queue;
    ScopedMainQueue currentQueue(queue);
    // The store makes the settings folder, and says when it cannot.
    Host host(*scenario.scenario, queue, HostOptions{launch.defaultsFile, readOnlyDefaults});
    ScopedCurrentHost currentHost(host);
    // Another copy's change of the settings file reaches this one as it is made.
    DefaultsFileWatcher defaultsWatcher(host.defaults());
    // Offscreen the host keeps its own coordinates: the snapshot draws nothing of the machine's.
    if (!headless) {
        showDisplaysOnMachineScreen(host);
    }
    // Every window, sheet, alert and menu is drawn in the host's appearance and the program's
    // style.
    ProgramStyle::install();
    ProgramPalette palette;
    const auto osdWindow = std::make_shared<OSDWindow>(&OSDPresentationMetrics::recorder());
    delegate = std::make_unique<AppDelegate>(programDependencies(arguments, osdWindow));
    // The shortcut recorders reach the delegate through the application, as views do.
    ApplicationDelegate::install(delegate.get());
    if (snapshotOnly) {
        delegate->launchSnapshotFinished = [](bool written) {
            QCoreApplication::exit(written ? 0 : 1);
        };
    }
    ProgramActivationFeed activationFeed(host.programActivation());
    signals.listen();
    // Offscreen nothing is on screen to mirror the status item, System Settings and Mission
    // Control into.
    std::optional<StatusBarMirror> statusBarMirror;
    std::optional<SystemSettingsMirror> systemSettingsMirror;
    std::optional<MissionControlMirror> missionControlMirror;
    if (!headless) {
        statusBarMirror.emplace(host.statusBar());
        systemSettingsMirror.emplace(host.systemSettings());
        missionControlMirror.emplace(host.missionControl());
        host.system().setAlertPresenter(SystemAlertDialog::run);
    }
    delegate->applicationDidFinishLaunching();
    // After the delegate's launch, which installs the main menu's key equivalents: the feeds
    // must see every key and click before them.
    MachineInputSession machineInput(host.events());
    MachineKeyboardFeed keyboardFeed(machineInput);
    MachineMouseFeed mouseFeed(machineInput, host);
    // Offscreen there is no desktop whose keys could be grabbed; a snapshot run beside a running
    // copy leaves them to it.
    std::optional<X11HotKeyGrab> hotKeyGrab;
    if (!snapshotOnly) {
        hotKeyGrab.emplace(host.hotKeys(), host.events());
    }
    reportLaunchDuration(started, statusBarMirror);
    const int status = QApplication::exec();
    signals.leaveRun();
    delegate->applicationWillTerminate();
    ApplicationDelegate::install(nullptr);
    delegate.reset();
    missionControlMirror.reset();
    systemSettingsMirror.reset();
    statusBarMirror.reset();
    return status;
}
