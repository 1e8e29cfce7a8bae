#include "Platform/Input/EventSystem.h"

#include "../PlatformWorld.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace tessarin {
namespace {

constexpr EventMask kKeyMask = eventMaskBit(EventType::keyDown) | eventMaskBit(EventType::keyUp);

Event keyDown(uint16_t keyCode) {
    return Event::keyboard(keyCode, true);
}

class EventSystemTest : public EventWorld {
protected:
    std::vector<uint16_t> frontKeyCodes() {
        std::vector<uint16_t> codes;
        for (const auto& event : delivered()) {
            codes.push_back(event.keyCode());
        }
        return codes;
    }
    // A tap that logs "<name><key code>", may rewrite the key code and may swallow the event.
    std::shared_ptr<EventTap> tap(const char* name, std::optional<uint16_t> rewrite = {},
                                  bool swallow = false) {
        return events.createTap(kKeyMask, [this, name, rewrite, swallow](uint32_t, const Event& e) {
            calls.push_back(name + std::to_string(e.keyCode()));
            Event changed = e;
            if (rewrite) {
                changed.setIntegerValue(EventField::keyboardEventKeycode, *rewrite);
            }
            return swallow ? std::nullopt : std::optional<Event>(changed);
        });
    }

    std::vector<std::string> calls;
};

TEST_F(EventSystemTest, TapsPassRewriteOrSwallowInCreationOrderOnALaterTurn) {
    auto first = tap("first", 7);
    auto second = tap("second");
    ASSERT_TRUE(first && second);
    events.post(keyDown(3));
    events.post(keyDown(4));
    EXPECT_TRUE(events.frontApplicationEvents().empty());
    EXPECT_EQ(frontKeyCodes(), (std::vector<uint16_t>{7, 7}));
    EXPECT_EQ(calls, (std::vector<std::string>{"first3", "second7", "first4", "second7"}));
    EXPECT_EQ(events.postedEvents().at(0).timestamp, queue.uptime());

    second->invalidate();
    auto swallow = tap("swallow", std::nullopt, true);
    auto later = tap("later");
    calls.clear();
    events.post(keyDown(3));
    EXPECT_TRUE(frontKeyCodes().empty());
    EXPECT_EQ(calls, (std::vector<std::string>{"first3", "swallow7"}));
}

TEST_F(EventSystemTest, TapSeesOnlyTheTypesOfItsMaskAndListenOnlyCannotSwallow) {
    std::vector<uint32_t> seen;
    auto tap = events.createTap(
        eventMaskBit(EventType::dockGesture),
        [&](uint32_t type, const Event&) {
            seen.push_back(type);
            return std::optional<Event>();
        },
        EventTapOptions::listenOnly);
    Event gesture;
    gesture.type = EventType::dockGesture;
    events.post(keyDown(1));
    events.post(gesture);
    queue.runUntilIdle();
    EXPECT_EQ(seen, (std::vector<uint32_t>{EventType::dockGesture}));
    EXPECT_EQ(events.frontApplicationEvents(EventType::dockGesture).size(), 1u);
}

TEST_F(EventSystemTest, DisabledInvalidatedOrDroppedTapsAreSkipped) {
    auto disabled = tap("disabled");
    ASSERT_TRUE(disabled);
    disabled->setEnabled(false);
    auto invalidated = tap("invalidated");
    ASSERT_TRUE(invalidated);
    invalidated->invalidate();
    invalidated->setEnabled(true); // an invalidated tap stays off
    EXPECT_FALSE(invalidated->isEnabled());
    tap("dropped"); // handle dropped at once
    events.post(keyDown(4));
    EXPECT_EQ(frontKeyCodes(), (std::vector<uint16_t>{4}));
    EXPECT_EQ(events.installedTaps().size(), 1u);
    disabled->setEnabled(true);
    events.post(keyDown(5));
    queue.runUntilIdle();
    EXPECT_EQ(calls, std::vector<std::string>{"disabled5"});
}

TEST_F(EventSystemTest, TapMayStopAndReleaseItselfInsideItsCallback) {
    std::shared_ptr<EventTap> tap;
    tap = events.createTap(kKeyMask, [&](uint32_t, const Event&) {
        tap->invalidate();
        tap.reset(); // the last handle goes while the callback runs
        return std::optional<Event>();
    });
    ASSERT_TRUE(tap);
    events.post(keyDown(1));
    events.post(keyDown(2));
    EXPECT_EQ(frontKeyCodes(), (std::vector<uint16_t>{2}));
}

TEST_F(EventSystemTest, TapCreationNeedsTrustAndCanBeDeclined) {
    bool trusted = false;
    events.setAccessibilityTrust([&] { return trusted; });
    EXPECT_FALSE(tap("untrusted"));
    trusted = true;
    EXPECT_TRUE(tap("trusted"));
    events.setTapCreationRefused(true);
    EXPECT_FALSE(tap("refused"));
}

TEST_F(EventSystemTest, SystemDisablingATapSendsTheNoticeToItsCallback) {
    using Disable = void (EventSystem::*)(const std::shared_ptr<EventTap>&);
    const std::tuple<const char*, Disable, uint32_t> cases[] = {
        {"timeout", &EventSystem::disableTapByTimeout, EventType::tapDisabledByTimeout},
        {"user input", &EventSystem::disableTapByUserInput, EventType::tapDisabledByUserInput},
    };
    for (const auto& [name, disable, notice] : cases) {
        SCOPED_TRACE(name);
        std::vector<uint32_t> seen;
        std::shared_ptr<EventTap> tap;
        tap = events.createTap(kKeyMask, [&, notice = notice](uint32_t type, const Event& e) {
            seen.push_back(type);
            tap->setEnabled(type == notice || tap->isEnabled());
            return std::optional<Event>(e);
        });
        ASSERT_TRUE(tap);
        (events.*disable)(tap);
        EXPECT_FALSE(tap->isEnabled());
        events.post(keyDown(2));
        queue.runUntilIdle();
        EXPECT_EQ(seen, (std::vector<uint32_t>{notice, EventType::keyDown}));
        tap->invalidate();
    }
}

// The stage, not the order of adding (here reversed), decides who sees an event first.
TEST_F(EventSystemTest, ConsumerStagesRunInOrderUntilOneTakesTheEvent) {
    const std::pair<EventStage, std::string> stages[] = {
        {EventStage::registeredHotKeys, "registered"},
        {EventStage::symbolicHotKeys, "symbolic"},
        {EventStage::dockGestures, "dock"},
    };
    const std::tuple<EventStage, std::vector<std::string>, bool> cases[] = {
        {EventStage::dockGestures, {"dock"}, false},
        {EventStage::symbolicHotKeys, {"dock", "symbolic"}, false},
        {EventStage::frontApplication, {"dock", "symbolic", "registered"}, true},
    };
    for (const auto& [taker, expectedCalls, reachesFront] : cases) {
        VirtualMainQueue localQueue;
        EventSystem local(localQueue);
        std::vector<std::string> seen;
        for (const auto& [stage, name] : stages) {
            local.addConsumer(stage, [&seen, &taker, stage, name](const Event&) {
                seen.push_back(name);
                return stage == taker;
            });
        }
        local.post(keyDown(1));
        localQueue.runUntilIdle();
        EXPECT_EQ(seen, expectedCalls);
        EXPECT_EQ(local.frontApplicationEvents().size(), reachesFront ? 1u : 0u);
    }
}

TEST_F(EventSystemTest, EventsPendingWhenTheSystemGoesAwayAreDropped) {
    int consumed = 0;
    {
        EventSystem local(queue);
        local.addConsumer(EventStage::dockGestures, [&](const Event&) { return ++consumed > 0; });
        local.post(keyDown(1));
    }
    queue.runUntilIdle(); // must not touch the destroyed system
    EXPECT_EQ(consumed, 0);
}

} // namespace
} // namespace tessarin
