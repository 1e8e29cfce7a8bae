// Start-up, activation, resign and stop of the delegate, in order, against the shell's fakes.

#include "Core/Fakes/ShellSeams.h"
#include "Hotkeys/PhysicalWindowDragTracker.h"
#include "Platform/Input/HotKeyCenter.h"
#include "Platform/Program/ProgramActivation.h"
#include "Platform/StatusBar/Menu.h"
#include "Platform/StatusBar/MenuItem.h"
#include "Platform/StatusBar/StatusBar.h"
#include "Platform/StatusBar/StatusItem.h"
#include "Platform/SystemSettings/SystemSettings.h"

namespace tessarin::testing {
namespace {

using fakes::Journal;
using fakes::ShellWorld;

// How many observers listen to each of the five notifications.
std::vector<std::size_t> observerCounts(ShellWorld& world) {
    namespace Name = WorkspaceNotificationName;
    std::vector<std::size_t> counts;
    for (const char* name :
         {Name::activeSpaceDidChange, Name::didActivateApplication, Name::userDefaultsDidChange,
          Name::screenParametersDidChange, Name::didWake}) {
        counts.push_back(world.host.notifications().observerCount(name));
    }
    return counts;
}
const std::vector<std::size_t> kOneEach(5, 1), kNone(5, 0);

TEST(AppDelegateLifecycle, StartUpBindsEverythingBeforeTheFirstRefreshAndEndsWithHealthAndLaunch) {
    ShellWorld world({"--show-osd-on-launch"});
    world.previews->context = OSDGridSpaceContext{"A", 4, 1, 6};
    world.launchAnswer = TessarinHealthLaunchPresentation::allSet;
    std::vector<std::size_t> observersAtRefresh;
    bool trackerRanAtRefresh = false;
    world.shell->onRefreshSpaceInfo = [&] {
        observersAtRefresh = observerCounts(world);
        trackerRanAtRefresh = PhysicalWindowDragTracker::shared().isRunning();
    };

    world.d().applicationDidFinishLaunching();

    EXPECT_EQ(world.journal,
              (Journal{"refreshSpaceInfo", "refreshOverlays", "prime", "recordFrontmost",
                       "scheduleScreenshot A/4", "restartPeriodic", "launchPresentation"}));
    EXPECT_EQ(observersAtRefresh, kOneEach);
    EXPECT_TRUE(trackerRanAtRefresh);
    EXPECT_EQ(world.host.statusBar().items().size(), 1u);
    EXPECT_TRUE(world.d().tessarinCoreInitialized && world.d().mainMenu);
    EXPECT_EQ(world.presented, std::vector{TessarinHealthCheckPresentationMode::allSet});
    world.queue.advance(0.79);
    EXPECT_TRUE(world.presentation->calls.empty());
    world.queue.advance(0.02);
    EXPECT_EQ(world.presentation->calls, Journal{"showOSDSpacePickerOnCursorDisplay"});
}

// Grid mode stored off, and a system that refuses the drag tracker its event tap.
TEST(AppDelegateLifecycle, StartUpFollowsStoredSettingsAndSaysWhenTheDragTrackerCannotStart) {
    ShellWorld world;
    world.grid().isEnabled.set(false);
    world.host.events().setTapCreationRefused(true);
    world.d().applicationDidFinishLaunching();

    std::vector<std::string> enabled;
    for (const auto& entry : world.host.statusBar().items().front()->menu()->items()) {
        if (!entry->isSeparator() && entry->isEnabled()) {
            enabled.push_back(entry->title());
        }
    }
    EXPECT_EQ(enabled, (std::vector<std::string>{"Mission Control", "Add Desktop", "Switch Left",
                                                 "Switch Right", "Health Check\u2026",
                                                 "Settings\u2026", "Quit Tessarin"}));
    const auto records = world.logs.records();
    EXPECT_EQ(std::count(records.begin(), records.end(),
                         LogRecord{kBundleIdentifier, "WindowThrow", LogLevel::error,
                                   "physical drag tracker failed to start"}),
              1);
}

TEST(AppDelegateLifecycle, TheSampleGridLaunchInstallsOnlyTheMainMenuAndShowsTheGrid) {
    ShellWorld world({"--osd-preview-fixture"});
    world.d().applicationDidFinishLaunching();
    world.queue.advance(1.0);

    EXPECT_TRUE(world.d().mainMenu && world.journal.empty());
    EXPECT_TRUE(world.host.statusBar().items().empty());
    EXPECT_EQ(observerCounts(world), kNone);
    EXPECT_TRUE(world.host.hotKeys().registrations().empty());
    EXPECT_FALSE(PhysicalWindowDragTracker::shared().isRunning());
    EXPECT_EQ(world.presentation->calls, Journal{"showOSDPreviewFixture"});
}

TEST(AppDelegateLifecycle, TheBridgeStartsOnTheFirstTrustedActivationAndOnlyFailuresArePrinted) {
    // Trusted at launch, whether the bridge starts; attempts after two more activations.
    for (const auto& [trusted, starts, attempts] : {std::tuple{false, true, 1}, {true, false, 3}}) {
        int made = 0;
        Scenario scenario = Scenario::defaultScenario();
        scenario.accessibilityTrusted = trusted;
        ShellWorld world({}, scenario, [&, starts = starts] { return ++made, starts; });
        ::testing::internal::CaptureStdout();
        world.d().applicationDidFinishLaunching();
        EXPECT_EQ(made, trusted ? 1 : 0);
        world.host.system().setProcessTrusted(true);
        world.d().applicationDidBecomeActive();
        world.d().applicationDidBecomeActive();
        EXPECT_EQ(made, attempts);
        EXPECT_EQ(world.d().tessarinCoreInitialized, starts);
        const std::string line = "Failed to initialize TessarinCore event tap\n";
        EXPECT_EQ(::testing::internal::GetCapturedStdout(), starts ? "" : line + line + line);
    }
}

// Whoever changes the host's program activation, the delegate hears it on a later turn, after
// either launch and until its stop.
TEST(AppDelegateLifecycle, TheHostsProgramActivationReachesTheCallbacks) {
    for (const auto& arguments : {std::vector<std::string>{}, {"--osd-preview-fixture"}}) {
        SCOPED_TRACE(arguments.empty() ? "full launch" : "sample grid");
        ShellWorld world(arguments);
        world.d().applicationDidFinishLaunching();
        // What the two callbacks left in the journal since it was last read.
        const auto heard = [&world] {
            Journal calls;
            std::copy_if(world.journal.begin(), world.journal.end(), std::back_inserter(calls),
                         [](const std::string& call) {
                             return call == "cancelRecording" || call == "restartPeriodic";
                         });
            world.journal.clear();
            return calls;
        };
        world.deliver();
        heard();
        world.host.systemSettings().open("x-apple.systempreferences:com.apple.Keyboard");
        EXPECT_EQ(heard(), Journal{}) << "heard within the change";
        world.deliver();
        EXPECT_EQ(heard(), Journal{"cancelRecording"});
        world.host.programActivation().activate(); // a window of the program comes forward
        world.deliver();
        EXPECT_EQ(heard(), Journal{"restartPeriodic"});
        world.d().applicationWillTerminate();
        heard();
        world.host.programActivation().resignActive();
        world.deliver();
        EXPECT_EQ(heard(), Journal{});
    }
}

TEST(AppDelegateLifecycle, StopReleasesInputAndObserversAndNothingPendingRunsAfterwards) {
    ShellWorld world({"--osd-snapshot-path", "shot.png"});
    AppDelegate& d = world.d();
    d.applicationDidFinishLaunching();
    world.queue.runUntilIdle();
    ASSERT_FALSE(world.host.hotKeys().registrations().empty());
    Journal ran;
    const auto pending = [&](const char* name) {
        return world.queue.asyncAfter(1.0, [&ran, name] { ran.push_back(name); });
    };
    d.pendingTrackpadSwipeCommitWorkItem = pending("trackpad commit");
    d.pendingSpaceTopologyStabilizationRefreshWorkItem = pending("topology");
    d.pendingVisibleGridWindowPreviewRefreshWorkItem = pending("visible previews");
    d.spaceTopologyStabilizer.begin("wake", world.queue.now());
    d.observeWakeNotifications(); // registering again replaces the observer
    EXPECT_EQ(observerCounts(world), kOneEach);
    world.journal.clear();

    d.applicationWillTerminate();

    EXPECT_EQ(world.journal,
              (Journal{"cancelRecording", "cancelScreenshot", "cancelMetadataRefresh"}));
    EXPECT_TRUE(world.host.hotKeys().registrations().empty());
    EXPECT_FALSE(PhysicalWindowDragTracker::shared().isRunning());
    EXPECT_EQ(observerCounts(world), kNone);
    EXPECT_EQ(d.spaceTopologyStabilizer, SpaceTopologyStabilizer{});
    world.journal.clear();
    world.host.system().systemDidWake();
    world.queue.advance(5.0);
    EXPECT_EQ(ran, Journal{});
    EXPECT_EQ(world.journal, Journal{});
    EXPECT_TRUE(world.presentation->calls.empty()) << "the launch picker was not cancelled";
}

} // namespace
} // namespace tessarin::testing
