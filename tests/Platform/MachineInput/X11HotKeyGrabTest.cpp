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
    };
    explicit FakeServer(State& state) : state_(state) {}

    uint32_t root() const override { return 1; }
    X11ModifierBits modifierBits() override { return {}; }
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
    bool grab(uint8_t keyCode, const std::vector<uint16_t>& states) override {
        for (uint16_t modifiers : states) {
            if (state_.othersHold.contains({keyCode, modifiers})) {
                return false;
            }
        }
        for (uint16_t modifiers : states) {
            state_.ours.insert({keyCode, modifiers});
        }
        return true;
    }
    void ungrab(uint8_t keyCode, const std::vector<uint16_t>& states) override {
        for (uint16_t modifiers : states) {
            state_.ours.erase({keyCode, modifiers});
        }
    }
    uint16_t modifierState() override { return 0; }
    void flush() override {}

private:
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
