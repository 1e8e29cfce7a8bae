#include "Platform/Input/Trackpad.h"

#include "Platform/DockSwipeGesture.h"
#include "Platform/Host.h"
#include "Platform/Input/EventSystem.h"
#include "Platform/Preferences/Preferences.h"
#include "Platform/Scenario.h"
#include "Support/VirtualMainQueue.h"

#include <gtest/gtest.h>
#include <mutex>
#include <thread>

namespace tessarin {
namespace {

class TrackpadTest : public testing::Test {
public:
    TrackpadTest() : host(scenario(), queue) {}

    static Scenario scenario() {
        Scenario s = Scenario::defaultScenario();
        s.multitouchFramework = true;
        return s;
    }

    VirtualMainQueue queue;
    ScopedMainQueue scopedQueue{queue};
    Host host;
    ScopedCurrentHost current{host};
};

TEST_F(TrackpadTest, FramesReachListenersInOrderOnTheFrameworkThread) {
    std::mutex mutex;
    std::vector<MultitouchFrame> frames;
    std::vector<std::thread::id> threads;
    ASSERT_NE(host.multitouch(), nullptr);
    host.multitouch()->addListener([&](const MultitouchFrame& frame) {
        std::lock_guard lock(mutex);
        frames.push_back(frame);
        threads.push_back(std::this_thread::get_id());
    });
    host.trackpad().swipe(3, {0.2, 0}, 0.3, 3);
    queue.advance(1);
    std::lock_guard lock(mutex);
    ASSERT_EQ(frames.size(), 5U); // down, three moves, lift
    EXPECT_EQ(frames.front().touches.size(), 3U);
    EXPECT_EQ(frames.front().touches.front().state, MultitouchTouchState::touching);
    EXPECT_NEAR(frames[3].touches.front().posX - frames[0].touches.front().posX, 0.2, 1e-5);
    for (const MultitouchTouch& touch : frames.back().touches) {
        EXPECT_EQ(touch.state, MultitouchTouchState::leaving);
    }
    EXPECT_NE(threads.front(), std::this_thread::get_id());
}

struct DockSwipeCase {
    const char* name;
    const char* key; // given to the Dock; none leaves the swipe to nobody
    int fingers;
    Point travel;
    int64_t motion;
    double sign; // of the ended progress; 0: no Dock swipe at all
};

TEST_F(TrackpadTest, SwipesTheDockTakesBecomeDockSwipesOfOppositeSign) {
    const DockSwipeCase cases[] = {
        {"three left", "TrackpadThreeFingerHorizSwipeGesture", 3, {-0.2, 0}, 1, 1},
        {"three right", "TrackpadThreeFingerHorizSwipeGesture", 3, {0.2, 0}, 1, -1},
        {"four down", "TrackpadFourFingerVertSwipeGesture", 4, {0, -0.2}, 2, 1},
        {"four up", "TrackpadFourFingerVertSwipeGesture", 4, {0, 0.2}, 2, -1},
        {"axis not given", "TrackpadThreeFingerVertSwipeGesture", 3, {0.2, 0}, 1, 0},
        {"finger count not given", "TrackpadFourFingerHorizSwipeGesture", 3, {0.2, 0}, 1, 0},
    };
    for (const DockSwipeCase& c : cases) {
        SCOPED_TRACE(c.name);
        VirtualMainQueue caseQueue;
        ScopedMainQueue scoped(caseQueue);
        Host caseHost(scenario(), caseQueue);
        caseHost.preferences().setAppValue(c.key, PropertyValue(2), Trackpad::preferenceDomain);
        std::vector<DockSwipeEvent> swipes;
        auto tap = caseHost.events().createTap(
            EventMask{1} << EventType::dockGesture,
            [&swipes](uint32_t, const Event& event) -> std::optional<Event> {
                swipes.push_back(*decodeDockSwipeEvent(event));
                return event;
            },
            EventTapOptions::listenOnly);
        caseHost.trackpad().swipe(c.fingers, c.travel);
        caseQueue.advance(1);
        if (c.sign == 0) {
            EXPECT_TRUE(swipes.empty());
            continue;
        }
        ASSERT_GE(swipes.size(), 3U);
        EXPECT_EQ(swipes.front().phase, GesturePhase::began);
        EXPECT_EQ(swipes.back().phase, GesturePhase::ended);
        EXPECT_EQ(swipes.back().motion, c.motion);
        EXPECT_FALSE(swipes.back().isSynthetic);
        EXPECT_NEAR(swipes.back().progress, c.sign * 0.2 * Trackpad::progressPerTravel, 1e-5);
    }
}

} // namespace
} // namespace tessarin
