#include "Platform/MachineInput/X11HotKeyGrab.h"

#include "../PlatformWorld.h"
#include "Platform/Input/HotKeyCenter.h"
#include "Support/Logger.h"

#include <gtest/gtest.h>
#include <map>
#include <set>
#include <string>

namespace tessarin {
namespace {

constexpr uint32_t kCommandOptionControl =
    CarbonModifiers::cmdKey | CarbonModifiers::optionKey | CarbonModifiers::controlKey;
constexpr uint16_t kSpace = 49;
constexpr uint16_t kLetterL = 37;
constexpr uint16_t kKeypadPlus = 69;
// The machine's key codes of a usual PC keyboard.
constexpr uint8_t kMachineSpace = 65;
constexpr uint8_t kMachineL = 46;
constexpr uint8_t kMachineKeypadPlus = 86;

// An X server of one keyboard: another client may hold some keys, and the keypad's plus
// switches video modes with Control and Alt.
class FakeServer final : public X11GrabConnection {
public:
    struct State {
        std::set<std::pair<uint8_t, uint16_t>> ours;
        std::set<std::pair<uint8_t, uint16_t>> othersHold;
        // A usual PC keyboard's: Alt on Mod1, Num Lock on Mod2, Super on Mod4.
        X11ModifierMapping modifiers{{{{50}, {66}, {37}, {64}, {77}, {}, {133}, {92}}},
                                     {{50, {0xffe1}},
                                      {66, {0xffe5}},
                                      {37, {0xffe3}},
                                      {64, {0xffe9, 0xffe7}},
                                      {77, {0xff7f}},
                                      {133, {0xffeb}},
                                      {92, {0xfe03}}}};
        int roundTrips = 0;
        std::vector<X11KeyGrab> lastAsked;
    };
    explicit FakeServer(State& state) : state_(state) {}

    uint32_t root() const override { return 1; }
    X11ModifierMapping modifierMapping() override { return state_.modifiers; }
    X11KeyboardMap keyboardMap() override {
        const uint16_t controlAlt = (1 << 2) | (1 << 3);
        return {{{kMachineKeypadPlus,
                  controlAlt,
                  {{controlAlt, 4}},
                  {0xffab, 0xffab, 0xffab, 0xffab, 0x1008FE22}},
                 {kMachineSpace, 0, {}, {0x20}},
                 {kMachineL, 1, {{1, 1}}, {'l', 'L'}}}};
    }
    uint8_t keyCodeFor(uint32_t keySym) override {
        const std::map<uint32_t, uint8_t> codes{
            {0xffab, kMachineKeypadPlus}, {0x20, kMachineSpace}, {'l', kMachineL}};
        const auto it = codes.find(keySym);
        return it != codes.end() ? it->second : 0;
    }
    std::vector<bool> grab(const std::vector<X11KeyGrab>& keys) override {
        ++state_.roundTrips;
        state_.lastAsked = keys;
        std::vector<bool> grabbed;
        for (const X11KeyGrab& key : keys) {
            grabbed.push_back(grabOne(key));
        }
        return grabbed;
    }
    void ungrab(uint8_t keyCode, const std::vector<uint16_t>& states) override {
        for (uint16_t modifiers : states) {
            state_.ours.erase({keyCode, modifiers});
        }
    }
    uint16_t modifierState() override { return 0; }
    void flush() override {}

private:
    bool grabOne(const X11KeyGrab& key) {
        for (uint16_t modifiers : key.states) {
            if (state_.othersHold.contains({key.keyCode, modifiers})) {
                return false;
            }
        }
        for (uint16_t modifiers : key.states) {
            state_.ours.insert({key.keyCode, modifiers});
        }
        return true;
    }

    State& state_;
};

class X11HotKeyGrabTest : public EventWorld {
protected:
    X11HotKeyGrabTest() {
        center.installEventHandler({{kEventClassKeyboard, kEventHotKeyPressed}},
                                   [this](const CarbonEvent& event) {
                                       EventHotKeyID id;
                                       if (getEventHotKeyIDParameter(event, id) == 0) {
                                           pressed.push_back(id.id);
                                       }
                                       return HotKeyStatus::noErr;
                                   });
    }

    EventHotKeyRef registerKey(uint16_t keyCode, uint32_t id) {
        EventHotKeyRef ref;
        EXPECT_EQ(center.registerEventHotKey(keyCode, kCommandOptionControl, {1, id}, ref), 0);
        return ref;
    }
    void startGrab() {
        grab.emplace(center, events, std::make_unique<FakeServer>(server));
        queue.runUntilIdle();
    }
    // Control, Alt and Super on the machine's keyboard.
    static constexpr uint16_t kHeld = (1 << 2) | (1 << 3) | (1 << 6);
    bool ours(uint8_t keyCode) const { return server.ours.contains({keyCode, kHeld}); }
    std::size_t logged(const std::string& prefix) const {
        std::size_t count = 0;
        for (const std::string& line : logs.messages("Hotkeys")) {
            count += line.starts_with(prefix) ? 1 : 0;
        }
        return count;
    }
    void press(uint8_t keyCode) {
        grab->handleKey(keyCode, kHeld, true);
        grab->handleKey(keyCode, kHeld, false);
        queue.runUntilIdle();
    }
    std::optional<HotKeyDeliveryIssue> issue(uint16_t keyCode) const {
        return center.delivery().issue(keyCode, kCommandOptionControl);
    }

    ScopedMainQueue scopedQueue{queue};
    ScopedLogCapture logs;
    HotKeyCenter center{events};
    FakeServer::State server;
    std::optional<X11HotKeyGrab> grab;
    std::vector<uint32_t> pressed;
};

TEST_F(X11HotKeyGrabTest, AHeldCombinationIsTakenOnceItsHolderLetsItGo) {
    server.othersHold.insert({kMachineSpace, kHeld});
    registerKey(kSpace, 7);
    startGrab();
    EXPECT_FALSE(ours(kMachineSpace));
    ASSERT_TRUE(issue(kSpace));
    EXPECT_EQ(issue(kSpace)->problem, HotKeyDeliveryProblem::heldByAnotherClient);
    EXPECT_EQ(issue(kSpace)->machineKeys, "Ctrl+Alt+Super+space");
    int told = 0;
    const auto observer = center.delivery().addObserver([&] { ++told; });

    queue.advance(X11HotKeyGrab::heldRetryInterval * 3);
    EXPECT_FALSE(ours(kMachineSpace)) << "still held";
    EXPECT_EQ(told, 0);

    server.othersHold.clear();
    queue.advance(X11HotKeyGrab::heldRetryInterval);
    EXPECT_TRUE(ours(kMachineSpace));
    EXPECT_FALSE(issue(kSpace));
    EXPECT_EQ(told, 1);
    EXPECT_EQ(logged("hotkey.x11.grabTakenOver combination=Ctrl+Alt+Super+space "), 1u);
    press(kMachineSpace);
    EXPECT_EQ(pressed, std::vector<uint32_t>{7});
}

// The server repeats a held key as further presses: they reach the host as autorepeats, which a
// hot key takes without firing again (a fresh press each time would switch again and again, and
// a tap of the Dock's or Mission Control's would act on each).
TEST_F(X11HotKeyGrabTest, AHeldHotKeysRepeatsReachTheHostAsRepeats) {
    registerKey(kSpace, 7);
    startGrab();
    ASSERT_TRUE(ours(kMachineSpace));
    std::vector<bool> repeats; // as a tap of the Dock's sees the key downs
    const auto tap = events.createTap(eventMaskBit(EventType::keyDown),
                                      [&](uint32_t, const Event& event) -> std::optional<Event> {
                                          repeats.push_back(event.isAutorepeat());
                                          return event;
                                      });
    for (int n = 0; n < 3; ++n) {
        grab->handleKey(kMachineSpace, kHeld, true);
        queue.runUntilIdle();
    }
    grab->handleKey(kMachineSpace, kHeld, false);
    queue.runUntilIdle();
    EXPECT_EQ(pressed, std::vector<uint32_t>{7});
    EXPECT_EQ(repeats, (std::vector<bool>{false, true, true}));
    press(kMachineSpace); // a new press after the release fires again
    EXPECT_EQ(pressed, (std::vector<uint32_t>{7, 7}));
}

TEST_F(X11HotKeyGrabTest, AHeldCombinationIsLoggedOnceAlsoAfterTheGrabsAreRefreshed) {
    server.othersHold.insert({kMachineSpace, kHeld});
    registerKey(kSpace, 7);
    startGrab();
    registerKey(kLetterL, 8);
    queue.runUntilIdle();
    queue.advance(X11HotKeyGrab::heldRetryInterval * 2);
    EXPECT_TRUE(ours(kMachineL));
    EXPECT_EQ(logged("hotkey.x11.grabTaken combination=Ctrl+Alt+Super+space "), 1u);
    EXPECT_EQ(logged("hotkey.x11.grabTaken "), 1u);
}

TEST_F(X11HotKeyGrabTest, AChangedShortcutLetsTheOldCombinationGo) {
    const EventHotKeyRef space = registerKey(kSpace, 7);
    startGrab();
    EXPECT_TRUE(ours(kMachineSpace));
    center.unregisterEventHotKey(space);
    registerKey(kLetterL, 7);
    queue.runUntilIdle();
    EXPECT_FALSE(ours(kMachineSpace));
    EXPECT_TRUE(ours(kMachineL));
    press(kMachineSpace);
    EXPECT_TRUE(pressed.empty()) << "the old combination opened something";
    press(kMachineL);
    EXPECT_EQ(pressed, std::vector<uint32_t>{7});
}

TEST_F(X11HotKeyGrabTest, ACombinationTheServerKeepsIsReportedAndLoggedOnce) {
    const EventHotKeyRef lastSpace = registerKey(kKeypadPlus, 9);
    startGrab();
    ASSERT_TRUE(issue(kKeypadPlus));
    EXPECT_EQ(*issue(kKeypadPlus),
              (HotKeyDeliveryIssue{HotKeyDeliveryProblem::keptByDisplayServer,
                                   "Ctrl+Alt+Super+KP_Add", "switching to the next video mode"}));
    // Any combination is answered, registered or not.
    EXPECT_TRUE(
        center.delivery().issue(kKeypadPlus, CarbonModifiers::cmdKey | CarbonModifiers::optionKey));
    EXPECT_FALSE(center.delivery().issue(kKeypadPlus, CarbonModifiers::cmdKey));
    EXPECT_FALSE(issue(kSpace));
    center.unregisterEventHotKey(lastSpace);
    queue.runUntilIdle();
    registerKey(kKeypadPlus, 9);
    queue.runUntilIdle();
    EXPECT_EQ(logged("hotkey.x11.keptByServer combination=Ctrl+Alt+Super+KP_Add reason=the X "
                     "server keeps it for switching to the next video mode"),
              1u);
}

TEST_F(X11HotKeyGrabTest, AHeldCombinationNoHotKeyWantsIsOnlyTriedAndLetGo) {
    server.othersHold.insert({kMachineSpace, kHeld});
    const EventHotKeyRef space = registerKey(kSpace, 7);
    startGrab();
    center.unregisterEventHotKey(space);
    queue.runUntilIdle();
    server.othersHold.clear();
    queue.advance(X11HotKeyGrab::heldRetryInterval);
    EXPECT_FALSE(ours(kMachineSpace));
    EXPECT_FALSE(issue(kSpace));
    EXPECT_EQ(logged("hotkey.x11.grabTakenOver "), 0u);
}

TEST_F(X11HotKeyGrabTest, ARetryAsksForEveryHeldCombinationInOneRoundTrip) {
    server.othersHold = {{kMachineSpace, kHeld}, {kMachineL, kHeld}};
    registerKey(kSpace, 7);
    registerKey(kLetterL, 8);
    startGrab();
    EXPECT_EQ(server.roundTrips, 1) << "the first grabs were asked for one by one";
    const int before = server.roundTrips;

    queue.advance(X11HotKeyGrab::heldRetryInterval);
    EXPECT_EQ(server.roundTrips - before, 1);
    ASSERT_EQ(server.lastAsked.size(), 2u);
    for (const X11KeyGrab& asked : server.lastAsked) {
        EXPECT_EQ(asked.states.size(), 4u) << "each with and without Num Lock and Caps Lock";
    }

    server.othersHold.erase({kMachineL, kHeld});
    queue.advance(X11HotKeyGrab::heldRetryInterval);
    EXPECT_EQ(server.roundTrips - before, 2);
    EXPECT_TRUE(ours(kMachineL));
    EXPECT_FALSE(ours(kMachineSpace));
    EXPECT_FALSE(issue(kLetterL));
    EXPECT_TRUE(issue(kSpace));
}

TEST_F(X11HotKeyGrabTest, AHeldCombinationGrabbedAtALaterRefreshIsNoLongerReportedHeld) {
    server.othersHold.insert({kMachineSpace, kHeld});
    registerKey(kSpace, 7);
    startGrab();
    ASSERT_TRUE(issue(kSpace));

    // Let go, and taken by the refresh another registration brings before the next retry.
    server.othersHold.clear();
    registerKey(kLetterL, 8);
    queue.runUntilIdle();
    EXPECT_TRUE(ours(kMachineSpace));
    EXPECT_FALSE(issue(kSpace));
    press(kMachineSpace);
    EXPECT_EQ(pressed, std::vector<uint32_t>{7});
}

TEST_F(X11HotKeyGrabTest, AnOptionHotKeyIsGrabbedWithAltWhereverTheServerPutsIt) {
    // Alt on Mod3 and Super on Mod5; Mod1 holds Meta alone.
    server.modifiers = {{{{50}, {66}, {37}, {205}, {77}, {64}, {}, {133}}},
                        {{50, {0xffe1}},
                         {66, {0xffe5}},
                         {37, {0xffe3}},
                         {205, {0xffe7}},
                         {77, {0xff7f}},
                         {64, {0xffe9}},
                         {133, {0xffeb}}}};
    registerKey(kSpace, 7);
    startGrab();
    const uint16_t controlMod3Mod5 = (1 << 2) | (1 << 5) | (1 << 7);
    EXPECT_TRUE(server.ours.contains({kMachineSpace, controlMod3Mod5}));
    EXPECT_FALSE(ours(kMachineSpace)) << "grabbed with Mod1 and Mod4, which hold no Alt or Super";
    grab->handleKey(kMachineSpace, controlMod3Mod5, true);
    grab->handleKey(kMachineSpace, controlMod3Mod5, false);
    queue.runUntilIdle();
    EXPECT_EQ(pressed, std::vector<uint32_t>{7});
}

TEST_F(X11HotKeyGrabTest, GoingAwayLetsEveryGrabGoAndClearsTheReport) {
    server.othersHold.insert({kMachineSpace, kHeld});
    registerKey(kSpace, 7);
    registerKey(kLetterL, 8);
    startGrab();
    grab.reset();
    EXPECT_TRUE(server.ours.empty());
    EXPECT_FALSE(issue(kSpace));
    queue.advance(X11HotKeyGrab::heldRetryInterval * 2);
}

} // namespace
} // namespace tessarin
