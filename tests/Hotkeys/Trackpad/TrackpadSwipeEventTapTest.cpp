#include "Hotkeys/Trackpad/TrackpadSwipeEventTap.h"

#include "Platform/Dock.h"
#include "Platform/DockSwipeGesture.h"
#include "Platform/Host.h"
#include "Platform/Input/EventSystem.h"
#include "Platform/Scenario.h"
#include "Support/VirtualMainQueue.h"

#include <gtest/gtest.h>
#include <limits>

namespace tessarin {
namespace {

constexpr Point kPointer{700, 400};

class TrackpadSwipeEventTapTest : public testing::Test {
public:
    TrackpadSwipeEventTapTest() {
        tap.contactSnapshot = contacts;
        contacts->setAvailable(true);
        tap.handler = [this](TessarinDirection direction) { directions.push_back(direction); };
        tap.shadowCGHandler = [this](int fingers, TrackpadSwipeTransitionDirection direction) {
            systemSwipes.emplace_back(fingers, direction);
        };
        EXPECT_TRUE(tap.start());
    }

    void contactsSeen(int count, double age, bool lifted) {
        contacts->record(count, queue.uptime() - age);
        if (lifted) {
            contacts->record(0, queue.uptime());
        }
    }

    void swipe(const std::vector<double>& progress, int64_t motion = 1) {
        host.events().physical().dockSwipe(motion, progress, kPointer);
        queue.runUntilIdle();
    }

    VirtualMainQueue queue;
    ScopedMainQueue scopedQueue{queue};
    Host host{Scenario::defaultScenario(), queue};
    ScopedCurrentHost current{host};
    std::shared_ptr<TrackpadRawContactSnapshotStore> contacts =
        std::make_shared<TrackpadRawContactSnapshotStore>();
    TrackpadSwipeEventTap tap{host.events(), queue};
    std::vector<TessarinDirection> directions;
    std::vector<std::pair<int, TrackpadSwipeTransitionDirection>> systemSwipes;
};

struct SuppressionCase {
    const char* name;
    int count;
    double age;
    bool lifted;
    bool swallowed;
};

TEST_F(TrackpadSwipeEventTapTest, SwallowsOnlySwipesMadeWithTheSelectedFingers) {
    queue.advance(10);
    const SuppressionCase cases[] = {
        {"three down now", 3, 0, false, true},
        {"three lifted 0.15 s ago", 3, 0.15, true, true},
        {"three lifted 0.25 s ago", 3, 0.25, true, false},
        {"four down now", 4, 0, false, false},
    };
    std::size_t reached = host.dock().receivedGestureCount();
    for (const SuppressionCase& c : cases) {
        SCOPED_TRACE(c.name);
        contactsSeen(c.count, c.age, c.lifted);
        swipe({0.5, 1.0});
        const std::size_t now = host.dock().receivedGestureCount();
        EXPECT_EQ(now - reached, c.swallowed ? 0U : 1U);
        reached = now;
    }
    EXPECT_TRUE(directions.empty()); // authoritative: the raw input reports, not the tap
}

TEST_F(TrackpadSwipeEventTapTest, OwnSyntheticSwipePassesWhileAUserSwipeIsTracked) {
    tap.navigationMode = TrackpadRawNavigationMode::shadow;
    contactsSeen(3, 0, false);
    DockSpaceSwitchGesture synthetic;
    synthetic.steps = 1;
    const auto ours = encodeDockSpaceSwitch(synthetic); // progress -1 when it ends
    auto users = ours;
    for (Event& event : users) {
        event.setIntegerValue(EventField::eventSourceUserData, 0);
        event.setIntegerValue(EventField::privateSourceTag, 0);
    }
    EXPECT_FALSE(tap.handleEvent(EventType::dockGesture, users[0]));
    for (const Event& event : ours) {
        EXPECT_TRUE(tap.handleEvent(EventType::dockGesture, event));
    }
    EXPECT_FALSE(tap.handleEvent(EventType::dockGesture, users[2]));
    queue.runUntilIdle();
    EXPECT_EQ(directions, std::vector<TessarinDirection>{TessarinDirectionRight});
}

// The system must not see the end of a gesture whose start it never saw.
TEST_F(TrackpadSwipeEventTapTest, ASwallowedSwipeStaysSwallowedWhenCancelled) {
    contactsSeen(3, 0, false);
    DockSpaceSwitchGesture gesture;
    gesture.steps = 1;
    Event event = encodeDockSpaceSwitch(gesture).front();
    event.setIntegerValue(EventField::eventSourceUserData, 0);
    event.setIntegerValue(EventField::privateSourceTag, 0);
    for (const int64_t phase : {GesturePhase::began, GesturePhase::cancelled}) {
        event.setIntegerValue(EventField::gesturePhase, phase);
        EXPECT_FALSE(tap.handleEvent(EventType::dockGesture, event)) << phase;
    }
}

struct ShadowCase {
    const char* name;
    int64_t motion;
    double progress;
    bool reversed;
    std::optional<TessarinDirection> reported;
};

TEST_F(TrackpadSwipeEventTapTest, ShadowModeReportsTheSwallowedDirection) {
    tap.navigationMode = TrackpadRawNavigationMode::shadow;
    const ShadowCase cases[] = {
        {"fingers left", 1, 0.8, false, TessarinDirectionLeft},
        {"fingers right, reversed", 1, -0.8, true, TessarinDirectionLeft},
        {"fingers down", 2, 0.5, false, TessarinDirectionDown},
        {"progress 0.1", 1, 0.1, false, TessarinDirectionLeft},
        {"progress 0.05", 1, 0.05, false, std::nullopt},
        {"non-finite progress", 1, std::numeric_limits<double>::infinity(), false, std::nullopt},
    };
    for (const ShadowCase& c : cases) {
        SCOPED_TRACE(c.name);
        directions.clear();
        systemSwipes.clear();
        tap.reverseDirection = c.reversed;
        const std::size_t reached = host.dock().receivedGestureCount();
        contactsSeen(3, 0, false);
        swipe({c.progress}, c.motion);
        EXPECT_EQ(host.dock().receivedGestureCount(), reached); // swallowed either way
        EXPECT_EQ(directions.empty() ? std::nullopt : std::optional(directions.front()),
                  c.reported);
        EXPECT_EQ(systemSwipes.size(), c.reported ? 1U : 0U);
    }
}

TEST_F(TrackpadSwipeEventTapTest, ReenablesItselfWhenTheSystemSwitchesItOff) {
    auto taps = host.events().installedTaps();
    ASSERT_EQ(taps.size(), 1U);
    host.events().disableTapByTimeout(taps.front());
    queue.runUntilIdle();
    EXPECT_TRUE(taps.front()->isEnabled());
}

} // namespace
} // namespace tessarin
