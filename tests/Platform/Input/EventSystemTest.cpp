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

std::optional<Event> pass(uint32_t, const Event& e) {
    return e;
}

class EventSystemTest : public ::testing::Test {
protected:
    std::vector<uint16_t> frontKeyCodes() {
        queue.runUntilIdle();
        std::vector<uint16_t> codes;
        for (const auto& event : events.frontApplicationEvents()) {
            codes.push_back(event.keyCode());
        }
        return codes;
    }

    VirtualMainQueue queue;
    EventSystem events{queue};
};

TEST_F(EventSystemTest, PostedEventsTravelOnALaterTurnInPostOrder) {
    events.post(keyDown(1));
    events.post(keyDown(2));
    EXPECT_TRUE(events.frontApplicationEvents().empty());
    EXPECT_EQ(frontKeyCodes(), (std::vector<uint16_t>{1, 2}));
    ASSERT_EQ(events.postedEvents().size(), 2u);
    EXPECT_EQ(events.postedEvents()[0].timestamp, queue.uptime());
}

TEST_F(EventSystemTest, TapsPassRewriteOrSwallowInCreationOrder) {
    std::vector<std::string> calls;
    auto tapThat = [&](const char* name, std::optional<uint16_t> rewrite, bool swallow) {
        return events.createTap(
            kKeyMask, [&calls, name, rewrite, swallow](uint32_t, const Event& e) {
                calls.push_back(name + std::to_string(e.keyCode()));
                Event changed = e;
                if (rewrite) {
                    changed.setIntegerValue(EventField::keyboardEventKeycode, *rewrite);
                }
                return swallow ? std::nullopt : std::optional<Event>(changed);
            });
    };
    auto first = tapThat("first", 7, false);
    auto second = tapThat("second", std::nullopt, false);
    ASSERT_TRUE(first && second);
    events.post(keyDown(3));
    EXPECT_EQ(frontKeyCodes(), (std::vector<uint16_t>{7}));
    EXPECT_EQ(calls, (std::vector<std::string>{"first3", "second7"}));

    second->invalidate();
    auto swallow = tapThat("swallow", std::nullopt, true);
    auto later = tapThat("later", std::nullopt, false);
    calls.clear();
    events.clearFrontApplicationEvents();
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
    events.post(Event::mouse(EventType::leftMouseDown, {}, MouseButton::left));
    queue.runUntilIdle();
    EXPECT_EQ(seen, (std::vector<uint32_t>{EventType::dockGesture}));
    EXPECT_EQ(events.frontApplicationEvents(EventType::dockGesture).size(), 1u);
}

TEST_F(EventSystemTest, DisabledInvalidatedOrDroppedTapsAreSkipped) {
    int calls = 0;
    auto callback = [&](uint32_t, const Event&) {
        ++calls;
        return std::optional<Event>();
    };
    auto disabled = events.createTap(kKeyMask, callback);
    ASSERT_TRUE(disabled);
    disabled->setEnabled(false);
    auto invalidated = events.createTap(kKeyMask, callback);
    ASSERT_TRUE(invalidated);
    invalidated->invalidate();
    invalidated->setEnabled(true);        // an invalidated tap stays off
    events.createTap(kKeyMask, callback); // handle dropped at once
    events.post(keyDown(4));
    EXPECT_EQ(frontKeyCodes(), (std::vector<uint16_t>{4}));
    EXPECT_EQ(calls, 0);
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
    ASSERT_TRUE(tap);
    events.post(keyDown(1));
    events.post(keyDown(2));
    EXPECT_EQ(frontKeyCodes(), (std::vector<uint16_t>{2}));
    EXPECT_EQ(calls, 1);
}

TEST_F(EventSystemTest, TapCreationNeedsTrustAndCanBeDeclined) {
    bool trusted = false;
    events.setAccessibilityTrust([&] { return trusted; });
    EXPECT_FALSE(events.createTap(kKeyMask, pass));
    trusted = true;
    EXPECT_TRUE(events.createTap(kKeyMask, pass));
    events.setTapCreationRefused(true);
    EXPECT_FALSE(events.createTap(kKeyMask, pass));
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
            if (type == notice) {
                tap->setEnabled(true);
            }
            return std::optional<Event>(e);
        });
        ASSERT_TRUE(tap);
        (events.*disable)(tap);
        EXPECT_FALSE(tap->isEnabled());
        queue.runUntilIdle();
        EXPECT_EQ(seen, (std::vector<uint32_t>{notice}));
        EXPECT_TRUE(tap->isEnabled()); // the callback switched it back on
        events.post(keyDown(2));
        queue.runUntilIdle();
        EXPECT_EQ(seen, (std::vector<uint32_t>{notice, EventType::keyDown}));
        tap->invalidate();
    }
}

TEST_F(EventSystemTest, ConsumerStagesRunInOrderUntilOneTakesTheEvent) {
    const std::pair<EventStage, std::string> stages[] = {
        {EventStage::dockGestures, "dock"},
        {EventStage::symbolicHotKeys, "symbolic"},
        {EventStage::registeredHotKeys, "registered"},
    };
    const std::tuple<EventStage, std::vector<std::string>, bool> cases[] = {
        {EventStage::dockGestures, {"dock"}, false},
        {EventStage::symbolicHotKeys, {"dock", "symbolic"}, false},
        {EventStage::registeredHotKeys, {"dock", "symbolic", "registered"}, false},
        {EventStage::frontApplication, {"dock", "symbolic", "registered"}, true},
    };
    for (const auto& [taker, expectedCalls, reachesFront] : cases) {
        VirtualMainQueue localQueue;
        EventSystem local(localQueue);
        std::vector<std::string> calls;
        // Added in reverse to show that the stage, not the order of adding, decides.
        for (auto it = std::rbegin(stages); it != std::rend(stages); ++it) {
            local.addConsumer(it->first, [&calls, &taker, stage = *it](const Event&) {
                calls.push_back(stage.second);
                return stage.first == taker;
            });
        }
        local.post(keyDown(1));
        localQueue.runUntilIdle();
        EXPECT_EQ(calls, expectedCalls);
        EXPECT_EQ(local.frontApplicationEvents().size(), reachesFront ? 1u : 0u);
    }
}

TEST_F(EventSystemTest, EventsPendingWhenTheSystemGoesAwayAreDropped) {
    VirtualMainQueue localQueue;
    int consumed = 0;
    {
        EventSystem local(localQueue);
        local.addConsumer(EventStage::dockGestures, [&](const Event&) { return ++consumed > 0; });
        local.post(keyDown(1));
    }
    localQueue.runUntilIdle(); // must not touch the destroyed system
    EXPECT_EQ(consumed, 0);
    EXPECT_EQ(localQueue.pendingCount(), 0u);
}

} // namespace
} // namespace tessarin
