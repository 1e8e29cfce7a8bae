#include "Platform/Input/HotKeyCenter.h"

#include "../PlatformWorld.h"

#include <gtest/gtest.h>
#include <vector>

namespace tessarin {
namespace {

constexpr uint32_t kSignature = 0x1111;
constexpr uint16_t kRightArrow = 124;
constexpr uint32_t kControlOptionCommand =
    CarbonModifiers::controlKey | CarbonModifiers::optionKey | CarbonModifiers::cmdKey;

class HotKeyCenterTest : public EventWorld {
protected:
    HotKeyCenterTest() {
        center.installEventHandler({{kEventClassKeyboard, kEventHotKeyPressed}},
                                   [this](const CarbonEvent& event) {
                                       EventHotKeyID id;
                                       if (getEventHotKeyIDParameter(event, id) == 0) {
                                           pressed.push_back(id);
                                       }
                                       return HotKeyStatus::noErr;
                                   });
    }

    EventHotKeyRef registerKey(uint32_t keyCode, uint32_t modifiers, uint32_t id) {
        EventHotKeyRef ref;
        EXPECT_EQ(center.registerEventHotKey(keyCode, modifiers, {kSignature, id}, ref), 0);
        return ref;
    }

    std::size_t frontEvents() { return delivered().size(); }

    HotKeyCenter center{events};
    std::vector<EventHotKeyID> pressed;
};

// A held hot key fires once; neither its key events nor its autorepeats reach the front, and
// neither caps lock nor the arrow's Fn flag spoils the match.
TEST_F(HotKeyCenterTest, MatchingKeyDownBecomesOnePressedEventWithSignatureAndId) {
    registerKey(kRightArrow, kControlOptionCommand, 7);
    input.setCapsLock(true);
    input.holdModifiers(eventFlags(kControlOptionCommand));
    input.keyDown(kRightArrow);
    input.keyDown(kRightArrow, 0, true);
    input.keyUp(kRightArrow);
    queue.runUntilIdle();
    EXPECT_TRUE(events.frontApplicationEvents(EventType::keyDown).empty());
    EXPECT_TRUE(events.frontApplicationEvents(EventType::keyUp).empty());
    EXPECT_EQ(pressed, (std::vector<EventHotKeyID>{{kSignature, 7}}));
}

TEST_F(HotKeyCenterTest, OtherCombinationsReachTheFrontApplication) {
    registerKey(kRightArrow, CarbonModifiers::controlKey, 1);
    const std::tuple<const char*, uint16_t, uint64_t> cases[] = {
        {"extra shift", kRightArrow, EventFlags::maskControl | EventFlags::maskShift},
        {"no modifier", kRightArrow, 0},
        {"other key", 123, EventFlags::maskControl},
    };
    for (const auto& [name, keyCode, flags] : cases) {
        SCOPED_TRACE(name);
        events.clearFrontApplicationEvents();
        input.pressKey(keyCode, flags);
        EXPECT_EQ(frontEvents(), 2u);
    }
    EXPECT_TRUE(pressed.empty());
}

TEST_F(HotKeyCenterTest, ReleaseIsDeliveredOnlyToHandlersThatAskForIt) {
    std::vector<uint32_t> kinds;
    center.installEventHandler(
        {{kEventClassKeyboard, kEventHotKeyPressed}, {kEventClassKeyboard, kEventHotKeyReleased}},
        [&](const CarbonEvent& event) {
            kinds.push_back(event.eventKind);
            return HotKeyStatus::eventNotHandledErr; // let the older handler see presses too
        });
    registerKey(kRightArrow, CarbonModifiers::controlKey, 3);
    input.holdModifiers(EventFlags::maskControl);
    input.keyDown(kRightArrow);
    input.releaseAllModifiers(); // modifiers let go before the key: the key up still belongs
    input.keyUp(kRightArrow);
    queue.runUntilIdle();
    EXPECT_EQ(kinds, (std::vector<uint32_t>{kEventHotKeyPressed, kEventHotKeyReleased}));
    EXPECT_EQ(pressed.size(), 1u);
    EXPECT_TRUE(events.frontApplicationEvents(EventType::keyUp).empty());
}

TEST_F(HotKeyCenterTest, RefusedRegistrationsReturnTheirStatusAndRegisterNothing) {
    registerKey(kRightArrow, CarbonModifiers::controlKey, 1);
    center.setRegistrationRefusal([](uint32_t keyCode, uint32_t) -> std::optional<int32_t> {
        return keyCode == 49 ? std::optional<int32_t>(-9868) : std::nullopt;
    });
    const std::tuple<uint32_t, uint32_t, int32_t> cases[] = {
        {kRightArrow, CarbonModifiers::controlKey, HotKeyStatus::eventHotKeyExistsErr},
        {49, kControlOptionCommand, -9868},
    };
    for (const auto& [keyCode, modifiers, status] : cases) {
        EventHotKeyRef ref{99};
        EXPECT_EQ(center.registerEventHotKey(keyCode, modifiers, {kSignature, 2}, ref), status);
        EXPECT_FALSE(ref);
    }
    EXPECT_EQ(center.registrations().size(), 1u);
    registerKey(18, kControlOptionCommand, 2);
    EXPECT_TRUE(center.isRegistered(18, kControlOptionCommand));
}

TEST_F(HotKeyCenterTest, UnregisteredCombinationCanBeRegisteredAgainAndNoLongerFires) {
    auto ref = registerKey(kRightArrow, CarbonModifiers::controlKey, 1);
    EXPECT_EQ(center.unregisterEventHotKey(ref), 0);
    EXPECT_EQ(center.unregisterEventHotKey(ref), HotKeyStatus::eventHotKeyInvalidErr);
    input.pressKey(kRightArrow, EventFlags::maskControl);
    EXPECT_EQ(frontEvents(), 2u);
    EXPECT_TRUE(pressed.empty());
    registerKey(kRightArrow, CarbonModifiers::controlKey, 2);
    input.pressKey(kRightArrow, EventFlags::maskControl);
    queue.runUntilIdle();
    EXPECT_EQ(pressed, (std::vector<EventHotKeyID>{{kSignature, 2}}));
}

TEST(CarbonModifiersTest, EventFlagsMapToTheCarbonMaskAndBack) {
    namespace F = EventFlags;
    const std::pair<uint64_t, uint32_t> cases[] = {
        {F::maskCommand, CarbonModifiers::cmdKey},
        {F::maskShift, CarbonModifiers::shiftKey},
        {F::maskAlternate, CarbonModifiers::optionKey},
        {F::maskControl, CarbonModifiers::controlKey},
    };
    for (const auto& [flags, carbon] : cases) {
        EXPECT_EQ(carbonModifiers(flags), carbon);
        EXPECT_EQ(eventFlags(carbon), flags);
    }
    EXPECT_EQ(
        carbonModifiers(F::maskAlphaShift | F::maskSecondaryFn | F::maskNumericPad | F::maskHelp),
        0u);
}

} // namespace
} // namespace tessarin
