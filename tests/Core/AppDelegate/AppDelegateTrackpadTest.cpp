// Trackpad navigation end to end, from the host's trackpad through the real store, raw input
// and Dock-swipe tap.

#include "Core/Fakes/EngineWorld.h"
#include "Hotkeys/PhysicalWindowDragTracker.h"
#include "Model/Settings/TrackpadSwipeSettingsStore.h"
#include "Platform/DockSwipeGesture.h"
#include "Platform/Input/Trackpad.h"
#include "Platform/Multitouch/MultitouchManager.h"
#include "Support/Environment.h"

#include <algorithm>

namespace tessarin::testing {
namespace {

using fakes::kBuiltInUUID;
using Mode = TrackpadSpaceSwitchMode;
constexpr Point kLeft{-0.2, 0};
constexpr Point kRight{0.2, 0};

Scenario trackpadScenario(bool trusted = true, bool framework = true) {
    Scenario scenario = Scenario::defaultScenario();
    scenario.preferenceDomains[Trackpad::preferenceDomain] = {
        {"TrackpadThreeFingerHorizSwipeGesture", 2}, {"TrackpadFourFingerHorizSwipeGesture", 2}};
    scenario.accessibilityTrusted = trusted;
    scenario.multitouchFramework = framework;
    return scenario;
}

class AppDelegateTrackpadTest : public ::testing::Test {
protected:
    explicit AppDelegateTrackpadTest(const Scenario& scenario = trackpadScenario())
        : world(scenario) {}

    // Runs what is due now (posted events travel on later turns).
    void settle() { queue.runUntilIdle(); }
    Dock& dock() { return host.dock(); }
    SpaceID currentSpace(const std::string& list) { return world.current(list); }

    TrackpadSwipeSettingsStore& store() { return TrackpadSwipeSettingsStore::shared(); }
    Trackpad& trackpad() { return host.trackpad(); }

    void start(Mode mode) {
        store().setNavigationEnabled(true);
        store().setSpaceSwitchMode(mode);
        AppDelegateDependencies dependencies = seams.dependencies();
        dependencies.dragTracker = &PhysicalWindowDragTracker::shared();
        dependencies.trackpad = nullptr; // the real store and raw input
        delegate.reset();
        delegate = std::make_unique<AppDelegate>(std::move(dependencies));
        delegate->bindHotkeys();
        settle();
        // Created after the Dock-swipe tap, so it sees only what that tap lets through.
        dockRecorder = host.events().createTap(
            eventMaskBit(EventType::dockGesture),
            [this](uint32_t, const Event& event) -> std::optional<Event> {
                if (!isSyntheticDockSwipeEvent(event)) {
                    ++userDockSwipeEvents;
                }
                return event;
            },
            EventTapOptions::listenOnly);
    }

    void after(double seconds) {
        queue.advance(seconds);
        settle();
    }

    SpaceID builtInSpace() { return currentSpace(kBuiltInUUID); }
    // Dock swipes the program posted to switch.
    std::size_t switchPosts() {
        return std::ranges::count_if(world.posted(EventType::dockGesture),
                                     isSyntheticDockSwipeEvent);
    }

    fakes::World world;
    Host& host = world.host;
    VirtualMainQueue& queue = world.queue;
    fakes::RecordingSeams& seams = world.seams;
    std::unique_ptr<AppDelegate>& delegate = world.delegate;
    ScopedLogCapture& logs = world.logs;
    std::shared_ptr<EventTap> dockRecorder;
    int userDockSwipeEvents = 0;
};

// clang-format off
// When the switch is posted, counted from the lift: at once, after the stored delay, or on a tap.
struct ModeRow { const char* name; Mode mode; double commitAfter; bool tapCommits; };
// clang-format on

TEST_F(AppDelegateTrackpadTest, EachModeLandsOnTheSpaceUnderThePointerAndSwallowsTheSwipe) {
    const double justBefore = 1.0 / 64;
    const ModeRow rows[] = {{"while swiping", Mode::whileSwiping, 0, false},
                            {"after delay", Mode::afterDelay, 0.5, false},
                            {"after tap", Mode::afterTap, 2, true}};
    store().setSwitchDelayMilliseconds(500); // not the default
    for (const ModeRow& row : rows) {
        SCOPED_TRACE(row.name);
        store().setSpaceSwitchMode(row.mode);
        if (!dockRecorder) { // not started yet
            start(row.mode);
        }
        settle();
        const SpaceID before = builtInSpace();
        const std::size_t posts = switchPosts();
        trackpad().swipe(3, before == 3 ? kRight : kLeft, 0.25); // lifted 0.25 s later
        after(0.25 + row.commitAfter - justBefore);
        EXPECT_EQ(switchPosts(), posts) << "nothing switched before its moment";
        if (row.tapCommits) {
            trackpad().tap(3);
        }
        after(row.tapCommits ? 0.25 : justBefore);
        EXPECT_GT(switchPosts(), posts);
        after(2);
        EXPECT_EQ(builtInSpace(), before == 3 ? 4U : 3U);
        EXPECT_EQ(userDockSwipeEvents, 0);
    }
}

TEST_F(AppDelegateTrackpadTest, TheOtherFingerCountReachesTheDock) {
    start(Mode::whileSwiping);
    trackpad().swipe(4, kLeft);
    after(1);
    EXPECT_GT(userDockSwipeEvents, 0);
    EXPECT_EQ(builtInSpace(), 3U); // the Dock's own switch
    EXPECT_TRUE(world.posted(EventType::dockGesture).empty());
}

TEST_F(AppDelegateTrackpadTest, DelayedCommitWaitsWhileAFurtherGestureRunsThenTheSetDelay) {
    start(Mode::afterDelay);
    trackpad().swipe(3, kRight, 0.3);
    after(0.4); // lifted at 0.3: commit due at 0.95
    trackpad().fingersDown({{0.4, 0.5}, {0.5, 0.5}, {0.6, 0.5}});
    after(1.0); // due 1.25 s after these fingers landed
    EXPECT_EQ(builtInSpace(), 4U);
    trackpad().liftFingers();
    after(0.6); // due 0.65 s after the lift, then the Dock's animation
    EXPECT_EQ(builtInSpace(), 4U);
    after(0.6);
    EXPECT_EQ(builtInSpace(), 5U);
}

TEST_F(AppDelegateTrackpadTest, ATapBegunBeforeTheSwipeWasJudgedDoesNotCommit) {
    store().setNavigationFingerCount(TrackpadNavigationFingerCount::four);
    start(Mode::afterTap);
    trackpad().swipe(4, kRight);
    after(0.5);
    // Four fingers swipe on, then lift one by one: three still fingers start a tap.
    trackpad().fingersDown({{0.2, 0.5}, {0.3, 0.5}, {0.4, 0.5}, {0.5, 0.5}});
    after(0.1);
    trackpad().moveFingers(kRight);
    after(0.1);
    trackpad().liftOneFinger();
    after(0.1);
    trackpad().liftFingers();
    after(1);
    EXPECT_EQ(builtInSpace(), 4U);
    trackpad().tap(3);
    after(1);
    EXPECT_EQ(builtInSpace(), 5U);
}

TEST_F(AppDelegateTrackpadTest, DelayedModeSwitchesAtOnceWhenNoPreviewOpens) {
    seams.presentation->previewResult = false;
    start(Mode::afterDelay);
    trackpad().swipe(3, kLeft, 0.3);
    after(0.8); // a delayed commit would only start at 0.95 s
    EXPECT_EQ(builtInSpace(), 3U);
}

TEST_F(AppDelegateTrackpadTest, SettingsChangeDropsAnOpenPreviewAndHidesIt) {
    start(Mode::afterDelay);
    trackpad().swipe(3, kLeft);
    after(0.4);
    seams.osdWindow->hides.clear();
    store().setDirectionReversed(true);
    after(2);
    EXPECT_EQ(builtInSpace(), 4U);
    EXPECT_EQ(seams.osdWindow->hides, std::vector<double>{0.2});
}

TEST_F(AppDelegateTrackpadTest, ATapOrLateTimerCommitsOnlyATrackpadPreview) {
    start(Mode::afterTap);
    trackpad().swipe(3, kLeft);
    after(0.5);
    trackpad().tap(3);
    after(1);
    ASSERT_EQ(builtInSpace(), 3U);
    // A hotkey preview waiting for its modifiers is not the trackpad's to commit.
    HotkeyCombination controlOptionRight;
    controlOptionRight.keyCode = 124;
    controlOptionRight.modifiers = HotkeyModifier::control | HotkeyModifier::option;
    delegate->performSpaceSwitch(TessarinDirectionRight, std::nullopt, controlOptionRight);
    ASSERT_TRUE(delegate->gridOSDPreviewSession);
    trackpad().tap(3);
    after(1);
    delegate->commitPendingTrackpadSwipe();
    after(1);
    EXPECT_EQ(builtInSpace(), 3U);
    EXPECT_TRUE(delegate->gridOSDPreviewSession);
}

// clang-format off
struct RefusedRow { const char* name; bool trusted; bool framework; };
// clang-format on

// Cases are listed by their row's name, not as the row's bytes.
void PrintTo(const RefusedRow& row, std::ostream* os) {
    *os << row.name;
}

class AppDelegateTrackpadRefusalTest : public AppDelegateTrackpadTest,
                                       public ::testing::WithParamInterface<RefusedRow> {
protected:
    AppDelegateTrackpadRefusalTest()
        : AppDelegateTrackpadTest(trackpadScenario(GetParam().trusted, GetParam().framework)) {}
};

TEST_P(AppDelegateTrackpadRefusalTest, WithoutTrustOrFrameworkTheDockObeys) {
    start(Mode::whileSwiping);
    trackpad().swipe(3, kLeft);
    after(1);
    EXPECT_EQ(dock().receivedGestureCount(), 1U); // the user's swipe, not ours
    EXPECT_EQ(builtInSpace(), 3U);
}

INSTANTIATE_TEST_SUITE_P(Rows, AppDelegateTrackpadRefusalTest,
                         ::testing::Values(RefusedRow{"notTrusted", false, true},
                                           RefusedRow{"noFramework", true, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(AppDelegateTrackpadTest, WakeRetriesBringTheRawInputBack) {
    start(Mode::whileSwiping);
    auto& coordinator = TrackpadRawInputCoordinator::shared();
    host.multitouch()->setRefusesListeners(true);
    coordinator.restartAfterWake();
    after(0.6);
    EXPECT_EQ(coordinator.state.value(), TrackpadRawInputState::unavailable);
    host.multitouch()->setRefusesListeners(false);
    after(1.5);
    ASSERT_EQ(coordinator.state.value(), TrackpadRawInputState::available);
    trackpad().swipe(3, kLeft);
    after(1);
    EXPECT_EQ(builtInSpace(), 3U);
    // The tap came back after the recorder, so count at the Dock: only our own switch.
    EXPECT_EQ(dock().receivedGestureCount(), 1U);
}

class AppDelegateTrackpadShadowTest : public AppDelegateTrackpadTest {
protected:
    ScopedEnvironmentOverride shadow{"TESSARIN_TRACKPAD_RAW_SHADOW", "1"};
};

TEST_F(AppDelegateTrackpadShadowTest, TheTapDrivesAndTheRawResultIsCompared) {
    start(Mode::whileSwiping);
    trackpad().swipe(3, kLeft);
    after(1);
    EXPECT_EQ(builtInSpace(), 3U);
    const auto lines = logs.messages("TrackpadRawShadow");
    ASSERT_EQ(lines.size(), 1U);
    EXPECT_EQ(lines[0].rfind("raw fingerCount=3 direction=left duration=", 0), 0U);
    EXPECT_NE(lines[0].find("cancellation=none agreement=true"), std::string::npos);
}

} // namespace
} // namespace tessarin::testing
