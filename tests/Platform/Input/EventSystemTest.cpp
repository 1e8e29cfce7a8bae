#include "Platform/Input/EventSystem.h"

#include "Support/VirtualMainQueue.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace tessarin {
namespace {

constexpr EventMask kKeyMask = eventMaskBit(EventType::keyDown) | eventMaskBit(EventType::keyUp);

Event keyDown(uint16_t keyCode) {
    return Event::keyboard(keyCode, true);
}

class EventSystemTest : public ::testing::Test {
protected:
    std::vector<uint16_t> frontKeyCodes() const {
        std::vector<uint16_t> codes;
        for (const auto& event : events.frontApplicationEvents()) {
            codes.push_back(event.keyCode());
        }
        return codes;
    }

    VirtualMainQueue queue;
    EventSystem events{queue};
};

struct TapActionCase {
    const char* name;
    std::function<std::optional<Event>(const Event&)> action;
    std::vector<uint16_t> expectedFront;
};

TEST_F(EventSystemTest, TapPassesSwallowsOrRewrites) {
    const std::vector<TapActionCase> cases = {
        {"pass", [](const Event& e) { return std::optional<Event>(e); }, {5}},
        {"swallow", [](const Event&) { return std::optional<Event>(); }, {}},
        {"rewrite",
         [](const Event& e) {
             Event changed = e;
             changed.setIntegerValue(EventField::keyboardEventKeycode, 99);
             return std::optional<Event>(changed);
         },
         {99}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        events.clearFrontApplicationEvents();
        auto tap =
            events.createTap(kKeyMask, [&](uint32_t, const Event& e) { return c.action(e); });
        ASSERT_TRUE(tap);
        events.post(keyDown(5));
        queue.runUntilIdle();
        EXPECT_EQ(frontKeyCodes(), c.expectedFront);
        tap->invalidate();
    }
}

TEST_F(EventSystemTest, PostedEventsTravelOnALaterTurnInPostOrder) {
    events.post(keyDown(1));
    events.post(keyDown(2));
    EXPECT_TRUE(events.frontApplicationEvents().empty());
    queue.runUntilIdle();
    EXPECT_EQ(frontKeyCodes(), (std::vector<uint16_t>{1, 2}));
    ASSERT_EQ(events.postedEvents().size(), 2u);
    EXPECT_EQ(events.postedEvents()[0].timestamp, queue.uptime());
}

TEST_F(EventSystemTest, TapsRunInCreationOrderAndSeeEarlierRewrites) {
    std::vector<std::string> calls;
    auto first = events.createTap(kKeyMask, [&](uint32_t, const Event& e) {
        calls.push_back("first saw " + std::to_string(e.keyCode()));
        Event changed = e;
        changed.setIntegerValue(EventField::keyboardEventKeycode, 7);
        return std::optional<Event>(changed);
    });
    auto second = events.createTap(kKeyMask, [&](uint32_t, const Event& e) {
        calls.push_back("second saw " + std::to_string(e.keyCode()));
        return std::optional<Event>(e);
    });
    events.post(keyDown(3));
    queue.runUntilIdle();
    EXPECT_EQ(calls, (std::vector<std::string>{"first saw 3", "second saw 7"}));
    EXPECT_EQ(frontKeyCodes(), (std::vector<uint16_t>{7}));
}

TEST_F(EventSystemTest, SwallowingTapHidesTheEventFromLaterTapsAndConsumers) {
    int laterTapCalls = 0;
    int consumerCalls = 0;
    auto swallow =
        events.createTap(kKeyMask, [](uint32_t, const Event&) { return std::optional<Event>(); });
    auto later = events.createTap(kKeyMask, [&](uint32_t, const Event& e) {
        ++laterTapCalls;
        return std::optional<Event>(e);
    });
    events.addConsumer(EventStage::dockGestures, [&](const Event&) {
        ++consumerCalls;
        return false;
    });
    events.post(keyDown(3));
    queue.runUntilIdle();
    EXPECT_EQ(laterTapCalls, 0);
    EXPECT_EQ(consumerCalls, 0);
    EXPECT_TRUE(events.frontApplicationEvents().empty());
}

TEST_F(EventSystemTest, TapSeesOnlyTheTypesOfItsMask) {
    std::vector<uint32_t> seen;
    auto tap =
        events.createTap(eventMaskBit(EventType::dockGesture), [&](uint32_t type, const Event& e) {
            seen.push_back(type);
            return std::optional<Event>(e);
        });
    Event gesture;
    gesture.type = EventType::dockGesture;
    events.post(keyDown(1));
    events.post(gesture);
    events.post(Event::mouse(EventType::leftMouseDown, {}, MouseButton::left));
    queue.runUntilIdle();
    EXPECT_EQ(seen, (std::vector<uint32_t>{EventType::dockGesture}));
}

TEST_F(EventSystemTest, ListenOnlyTapCannotSwallow) {
    int calls = 0;
    auto tap = events.createTap(
        kKeyMask,
        [&](uint32_t, const Event&) {
            ++calls;
            return std::optional<Event>();
        },
        EventTapOptions::listenOnly);
    events.post(keyDown(4));
    queue.runUntilIdle();
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(frontKeyCodes(), (std::vector<uint16_t>{4}));
}

TEST_F(EventSystemTest, DisabledInvalidatedOrDroppedTapsAreSkipped) {
    int calls = 0;
    auto callback = [&](uint32_t, const Event&) {
        ++calls;
        return std::optional<Event>();
    };
    auto disabled = events.createTap(kKeyMask, callback);
    disabled->setEnabled(false);
    auto invalidated = events.createTap(kKeyMask, callback);
    invalidated->invalidate();
    invalidated->setEnabled(true);        // an invalidated tap stays off
    events.createTap(kKeyMask, callback); // handle dropped at once
    events.post(keyDown(4));
    queue.runUntilIdle();
    EXPECT_EQ(calls, 0);
    EXPECT_EQ(frontKeyCodes(), (std::vector<uint16_t>{4}));
    EXPECT_EQ(events.installedTaps().size(), 1u);

    disabled->setEnabled(true);
    events.post(keyDown(5));
    queue.runUntilIdle();
    EXPECT_EQ(calls, 1);
}

TEST_F(EventSystemTest, TapMayStopAndReleaseItselfInsideItsCallback) {
    std::shared_ptr<EventTap> tap;
    int calls = 0;
    tap = events.createTap(kKeyMask, [&](uint32_t, const Event&) {
        ++calls;
        tap->invalidate();
        tap.reset(); // the last handle goes while the callback runs
        return std::optional<Event>();
    });
    events.post(keyDown(1));
    events.post(keyDown(2));
    queue.runUntilIdle();
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(frontKeyCodes(), (std::vector<uint16_t>{2}));
}

TEST_F(EventSystemTest, TapCreationNeedsTrustAndCanBeDeclined) {
    bool trusted = false;
    events.setAccessibilityTrust([&] { return trusted; });
    auto callback = [](uint32_t, const Event& e) { return std::optional<Event>(e); };
    EXPECT_FALSE(events.createTap(kKeyMask, callback));
    trusted = true;
    EXPECT_TRUE(events.createTap(kKeyMask, callback));
    events.setTapCreationRefused(true);
    EXPECT_FALSE(events.createTap(kKeyMask, callback));
}

struct DisableCase {
    const char* name;
    void (EventSystem::*disable)(const std::shared_ptr<EventTap>&);
    uint32_t expectedNotice;
};

TEST_F(EventSystemTest, SystemDisablingATapSendsTheNoticeToItsCallback) {
    const std::vector<DisableCase> cases = {
        {"timeout", &EventSystem::disableTapByTimeout, EventType::tapDisabledByTimeout},
        {"user input", &EventSystem::disableTapByUserInput, EventType::tapDisabledByUserInput},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<uint32_t> seen;
        std::shared_ptr<EventTap> tap;
        tap = events.createTap(kKeyMask, [&](uint32_t type, const Event& e) {
            seen.push_back(type);
            if (type == c.expectedNotice) {
                tap->setEnabled(true);
            }
            return std::optional<Event>(e);
        });
        (events.*c.disable)(tap);
        EXPECT_FALSE(tap->isEnabled());
        queue.runUntilIdle();
        EXPECT_EQ(seen, (std::vector<uint32_t>{c.expectedNotice}));
        EXPECT_TRUE(tap->isEnabled()); // the callback switched it back on
        events.post(keyDown(2));
        queue.runUntilIdle();
        EXPECT_EQ(seen, (std::vector<uint32_t>{c.expectedNotice, EventType::keyDown}));
        tap->invalidate();
    }
}

TEST_F(EventSystemTest, TapLeftDisabledAfterTheNoticeSeesNothingMore) {
    std::vector<uint32_t> seen;
    auto tap = events.createTap(kKeyMask, [&](uint32_t type, const Event&) {
        seen.push_back(type);
        return std::optional<Event>();
    });
    events.disableTapByTimeout(tap);
    events.post(keyDown(1));
    queue.runUntilIdle();
    EXPECT_EQ(seen, (std::vector<uint32_t>{EventType::tapDisabledByTimeout}));
    EXPECT_EQ(frontKeyCodes(), (std::vector<uint16_t>{1}));
}

TEST_F(EventSystemTest, ConsumerStagesRunInTheirFixedOrder) {
    std::vector<std::string> calls;
    auto add = [&](EventStage stage, const char* name) {
        events.addConsumer(stage, [&calls, name](const Event&) {
            calls.push_back(name);
            return false;
        });
    };
    add(EventStage::frontApplication, "front");
    add(EventStage::registeredHotKeys, "registered");
    add(EventStage::symbolicHotKeys, "symbolic");
    add(EventStage::dockGestures, "dock");
    events.post(keyDown(1));
    queue.runUntilIdle();
    EXPECT_EQ(calls, (std::vector<std::string>{"dock", "symbolic", "registered", "front"}));
}

struct TakingStageCase {
    const char* name;
    EventStage taker;
    std::vector<std::string> expectedCalls;
    bool reachesFront;
};

TEST_F(EventSystemTest, ConsumerThatTakesAnEventEndsItsTravel) {
    const std::vector<TakingStageCase> cases = {
        {"dock takes", EventStage::dockGestures, {"dock"}, false},
        {"symbolic takes", EventStage::symbolicHotKeys, {"dock", "symbolic"}, false},
        {"registered takes",
         EventStage::registeredHotKeys,
         {"dock", "symbolic", "registered"},
         false},
        {"nobody before front takes",
         EventStage::frontApplication,
         {"dock", "symbolic", "registered"},
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        VirtualMainQueue localQueue;
        EventSystem local(localQueue);
        std::vector<std::string> calls;
        const std::vector<std::pair<EventStage, std::string>> stages = {
            {EventStage::dockGestures, "dock"},
            {EventStage::symbolicHotKeys, "symbolic"},
            {EventStage::registeredHotKeys, "registered"},
        };
        for (const auto& [stage, name] : stages) {
            local.addConsumer(stage, [&calls, &c, stage = stage, name = name](const Event&) {
                calls.push_back(name);
                return stage == c.taker;
            });
        }
        local.post(keyDown(1));
        localQueue.runUntilIdle();
        EXPECT_EQ(calls, c.expectedCalls);
        EXPECT_EQ(local.frontApplicationEvents().size(), c.reachesFront ? 1u : 0u);
    }
}

TEST_F(EventSystemTest, RemovedConsumerIsNotCalled) {
    int calls = 0;
    auto token = events.addConsumer(EventStage::symbolicHotKeys, [&](const Event&) {
        ++calls;
        return true;
    });
    events.removeConsumer(token);
    events.post(keyDown(1));
    queue.runUntilIdle();
    EXPECT_EQ(calls, 0);
    EXPECT_EQ(events.frontApplicationEvents().size(), 1u);
}

TEST_F(EventSystemTest, EventsPendingWhenTheSystemGoesAwayAreDropped) {
    VirtualMainQueue localQueue;
    {
        EventSystem local(localQueue);
        local.post(keyDown(1));
    }
    localQueue.runUntilIdle(); // must not touch the destroyed system
    SUCCEED();
}

} // namespace
} // namespace tessarin
