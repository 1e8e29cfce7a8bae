#include "HotkeyHostFixture.h"
#include "Hotkeys/MissionControlShortcutOverrideEventTap.h"
#include "Platform/WindowServer.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

constexpr uint64_t kControl = EventFlags::maskControl;

class OverrideEventTapTests : public HotkeyHostFixture {
protected:
    HotkeyOverrideRegistration overrideOf(HotkeyIdentifier identifier,
                                          const HotkeyCombination& combination) {
        return {HotkeyRegistrationIdentity::action(HotkeyAction::cursor(identifier)), combination,
                [this](const HotkeyTriggerContext& context) { fired.push_back(context); }};
    }
    void takeControlRight() {
        tap.update(
            {overrideOf(HotkeyIdentifier::right, HotkeyCombination::missionControlPresetRight())});
    }
    void holdControlRight() {
        takeControlRight();
        keyboard().keyDown(124, kControl);
        settle();
        ASSERT_FALSE(tap.pressedSignatures().empty());
    }

    MissionControlShortcutOverrideEventTap& tap = MissionControlShortcutOverrideEventTap::shared();
    std::vector<HotkeyTriggerContext> fired;
};

TEST_F(OverrideEventTapTests, APressFiresOnceAndTheSystemNeverMoves) {
    const SpaceID before = host.windowServer().activeSpace();
    holdControlRight();
    keyboard().keyDown(124, kControl, true);
    keyboard().keyDown(124, kControl); // a repeat that lost its flag
    settle();
    host.events().disableTapByTimeout(host.events().installedTaps().front());
    settle();
    keyboard().keyDown(124, kControl, true); // still held: the tap forgot it, the flag says so
    keyboard().keyUp(124, kControl);
    queue.advance(2.0); // lets the Dock finish any switch it started
    ASSERT_EQ(fired.size(), 1u);
    EXPECT_EQ(fired[0].source, HotkeyTriggerSource::missionControlOverrideEventTap);
    EXPECT_EQ(host.windowServer().activeSpace(), before);
    EXPECT_TRUE(host.events().frontApplicationEvents(EventType::keyUp).empty());
    EXPECT_TRUE(tap.pressedSignatures().empty());
}

TEST_F(OverrideEventTapTests, TakesOnlyItsKeyWithTheShortcutModifiers) {
    takeControlRight();
    // clang-format off
    const std::tuple<const char*, uint64_t, bool> rows[] = {
        {"controlRight", kControl, true},
        {"capsLockOn", kControl | EventFlags::maskAlphaShift, true},
        {"controlShiftRight", kControl | EventFlags::maskShift, false}};
    // clang-format on
    for (const auto& [name, flags, taken] : rows) {
        fired.clear();
        host.events().clearFrontApplicationEvents();
        keyboard().pressKey(124, flags);
        settle();
        EXPECT_EQ(fired.size(), taken ? 1u : 0u) << name;
        EXPECT_EQ(host.events().frontApplicationEvents(EventType::keyDown).size(), taken ? 0u : 1u)
            << name;
    }
}

TEST_F(OverrideEventTapTests, HeldKeysLeavingTheTableAreForgottenAndAnEmptyTableStopsTheTap) {
    holdControlRight();
    tap.update({overrideOf(HotkeyIdentifier::left, HotkeyCombination::missionControlPresetLeft())});
    EXPECT_TRUE(tap.pressedSignatures().empty());
    tap.update({});
    EXPECT_FALSE(tap.isRunning());
    EXPECT_TRUE(host.events().installedTaps().empty());
}

// A key up missed while the tap was off, or one sent after Control was let go, must not leave
// the key marked as held and swallow its next press.
TEST_F(OverrideEventTapTests, ALostOrUnmatchedReleaseDoesNotSwallowTheNextPress) {
    holdControlRight();
    keyboard().keyUp(124, kControl);
    host.events().disableTapByTimeout(host.events().installedTaps().front());
    settle();
    keyboard().keyDown(124, kControl);
    keyboard().keyUp(124, 0);
    keyboard().pressKey(124, kControl);
    settle();
    EXPECT_EQ(fired.size(), 3u);
}

TEST_F(OverrideEventTapTests, ARefusedTapPrintsItsLineAndTakesNoKey) {
    host.events().setTapCreationRefused(true);
    testing::internal::CaptureStdout();
    takeControlRight();
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Failed to install Mission Control shortcut override event tap\n");
    keyboard().pressKey(124, kControl);
    settle();
    EXPECT_TRUE(fired.empty());
}

} // namespace
} // namespace tessarin
