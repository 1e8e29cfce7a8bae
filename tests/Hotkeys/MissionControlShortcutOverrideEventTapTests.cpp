#include "HotkeyHostFixture.h"
#include "Hotkeys/MissionControlShortcutOverrideEventTap.h"
#include "Platform/WindowServer.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

constexpr uint64_t kControl = EventFlags::maskControl;
const HotkeyCombination kControlRight = HotkeyCombination::missionControlPresetRight();
const HotkeyCombination kControlLeft = HotkeyCombination::missionControlPresetLeft();

HotkeyRegistrationIdentity identity(HotkeyIdentifier identifier) {
    return HotkeyRegistrationIdentity::action(HotkeyAction::cursor(identifier));
}

class OverrideEventTapTests : public HotkeyHostFixture {
protected:
    HotkeyOverrideRegistration overrideOf(HotkeyIdentifier identifier,
                                          const HotkeyCombination& combination) {
        return {identity(identifier), combination,
                [this, identifier](const HotkeyTriggerContext& context) {
                    fired.push_back(identifier);
                    contexts.push_back(context);
                }};
    }
    void takeControlRight() { tap.update({overrideOf(HotkeyIdentifier::right, kControlRight)}); }

public:
    // The release is posted first but arrives after the system switched the tap off.
    void disableByTimeout() {
        keyboard().keyUp(124, kControl);
        host.events().disableTapByTimeout(host.events().installedTaps().front());
    }
    void leaveTheTableWhileHeld() {
        tap.update({overrideOf(HotkeyIdentifier::left, kControlLeft)});
        keyboard().keyUp(124, kControl);
        settle();
        takeControlRight();
    }
    void releaseControlFirst() { keyboard().keyUp(124, 0); }

protected:
    // Lets the Dock finish any switch it started.
    void settleSystem() { queue.advance(2.0); }

    MissionControlShortcutOverrideEventTap& tap = MissionControlShortcutOverrideEventTap::shared();
    std::vector<HotkeyIdentifier> fired;
    std::vector<HotkeyTriggerContext> contexts;
};

TEST_F(OverrideEventTapTests, APressFiresOnceAndTheSystemNeverMoves) {
    const SpaceID before = host.windowServer().activeSpace();
    takeControlRight();
    ASSERT_TRUE(tap.isRunning());
    keyboard().keyDown(124, kControl);
    keyboard().keyDown(124, kControl, true);
    keyboard().keyDown(124, kControl, true);
    keyboard().keyUp(124, kControl);
    settleSystem();
    EXPECT_EQ(fired, std::vector{HotkeyIdentifier::right});
    ASSERT_EQ(contexts.size(), 1u);
    EXPECT_EQ(contexts[0].source, HotkeyTriggerSource::missionControlOverrideEventTap);
    EXPECT_EQ(host.windowServer().activeSpace(), before);
    EXPECT_TRUE(host.events().frontApplicationEvents(EventType::keyUp).empty());
    EXPECT_TRUE(tap.pressedSignatures().empty());
}

struct MatchRow {
    const char* name;
    uint64_t flags;
    bool fires;
};

class OverrideEventTapMatchTests : public OverrideEventTapTests,
                                   public ::testing::WithParamInterface<MatchRow> {};

TEST_P(OverrideEventTapMatchTests, MatchesKeyAndShortcutModifiersOnly) {
    takeControlRight();
    keyboard().pressKey(124, GetParam().flags);
    settle();
    EXPECT_EQ(fired.size(), GetParam().fires ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, OverrideEventTapMatchTests,
    ::testing::Values(MatchRow{"controlRight", kControl, true},
                      MatchRow{"capsLockOn", kControl | EventFlags::maskAlphaShift, true},
                      MatchRow{"controlShiftRight", kControl | EventFlags::maskShift, false}),
    rowName<MatchRow>);

TEST_F(OverrideEventTapTests, AnEmptyTableStopsTheTapAndForgetsHeldKeys) {
    takeControlRight();
    keyboard().keyDown(124, kControl);
    settle();
    ASSERT_FALSE(tap.pressedSignatures().empty());
    tap.update({});
    EXPECT_FALSE(tap.isRunning());
    EXPECT_TRUE(tap.pressedSignatures().empty());
    EXPECT_TRUE(host.events().installedTaps().empty());
}

// Each row loses the key up of a held combination in a different way; the next press must
// fire all the same.
struct LostReleaseRow {
    const char* name;
    void (OverrideEventTapTests::*loseRelease)();
};

class OverrideEventTapLostReleaseTests : public OverrideEventTapTests,
                                         public ::testing::WithParamInterface<LostReleaseRow> {};

TEST_P(OverrideEventTapLostReleaseTests, TheNextPressStillFires) {
    takeControlRight();
    keyboard().keyDown(124, kControl);
    settle();
    (this->*GetParam().loseRelease)();
    settle();
    keyboard().pressKey(124, kControl);
    settle();
    EXPECT_EQ(fired, (std::vector{HotkeyIdentifier::right, HotkeyIdentifier::right}));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, OverrideEventTapLostReleaseTests,
    ::testing::Values(
        LostReleaseRow{"tapDisabledByTimeout", &OverrideEventTapTests::disableByTimeout},
        LostReleaseRow{"combinationLeftTheTable", &OverrideEventTapTests::leaveTheTableWhileHeld},
        LostReleaseRow{"controlReleasedFirst", &OverrideEventTapTests::releaseControlFirst}),
    rowName<LostReleaseRow>);

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
