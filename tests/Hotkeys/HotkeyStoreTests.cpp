#include "HotkeyHostFixture.h"
#include "Hotkeys/HotkeyDefaultsKey.h"
#include "Hotkeys/HotkeyStore.h"
#include "Hotkeys/MissionControlShortcutConflictDetector.h"
#include "Hotkeys/TessarinMissionControlKeyboardShortcutPreset.h"
#include "Platform/Preferences/UserDefaults.h"
#include "Platform/SymbolicHotKeyTable.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

const HotkeyAction kLeft = HotkeyAction::cursor(HotkeyIdentifier::left);
const HotkeyAction kLeftOnX = HotkeyAction::onDisplay(HotkeyIdentifier::left, "X");
const HotkeyCombination kControlOptionA{0, 0x1800, "A", "a"};

class HotkeyStoreTests : public ::testing::Test {
protected:
    VirtualMainQueue queue;
    ScopedMainQueue scopedQueue{queue};
    UserDefaults defaults;
    HotkeyStore store{defaults};
};

TEST_F(HotkeyStoreTests, StoredValuesOfTheWrongTypeCountAsMissing) {
    defaults.set(hotkeyCombinationKey(kLeft), "not data");
    defaults.set(hotkeyEnabledKey(kLeft), 0);
    defaults.set(hotkeyCombinationKey(kLeftOnX), kControlOptionA.encodedData());
    defaults.set(hotkeyEnabledKey(kLeftOnX), true);
    HotkeyStore reloaded(defaults);
    EXPECT_EQ(reloaded.combination(kLeft), HotkeyCombination::defaultLeft());
    EXPECT_TRUE(reloaded.isEnabled(kLeft));
    EXPECT_EQ(reloaded.combination(kLeftOnX), kControlOptionA);
    EXPECT_TRUE(reloaded.isEnabled(kLeftOnX));
}

TEST_F(HotkeyStoreTests, RebindingRaisesRevisionOnceAndClearsTheOverride) {
    store.setSystemShortcutOverrideEnabledWithoutRevision(true, kLeft);
    store.update(HotkeyCombination::defaultLeft(), kLeft);
    store.update(std::nullopt, kLeft); // a cursor action cannot be unbound
    EXPECT_EQ(store.revision.value(), 0);
    store.update(kControlOptionA, kLeft);
    EXPECT_EQ(store.revision.value(), 1);
    EXPECT_FALSE(store.isSystemShortcutOverrideEnabled(kLeft));
    EXPECT_EQ(HotkeyStore(defaults).combination(kLeft), kControlOptionA);
}

TEST_F(HotkeyStoreTests, DisablingClearsTheOverrideAndEnablingKeepsIt) {
    store.setSystemShortcutOverrideEnabledWithoutRevision(true, kLeft);
    store.setEnabled(true, kLeft); // already on: nothing happens
    store.setEnabled(false, kLeftOnX);
    EXPECT_EQ(store.revision.value(), 0);
    EXPECT_TRUE(store.isSystemShortcutOverrideEnabled(kLeft));
    store.setEnabled(false, kLeft);
    EXPECT_FALSE(store.isSystemShortcutOverrideEnabled(kLeft));
    EXPECT_EQ(store.revision.value(), 1);
}

TEST_F(HotkeyStoreTests, ResettingADisplayLeavesItUnboundAndOffWithTheFlagsWritten) {
    store.update(kControlOptionA, kLeftOnX);
    store.setEnabled(true, kLeftOnX);
    store.resetToDefaults(HotkeyScope::display("X"));
    EXPECT_EQ(store.combination(kLeftOnX), std::nullopt);
    EXPECT_FALSE(store.isEnabled(kLeftOnX));
    EXPECT_FALSE(defaults.contains(hotkeyCombinationKey(kLeftOnX)));
    const auto space10 = HotkeyAction::onDisplay(HotkeyIdentifier::space10, "X");
    EXPECT_EQ(defaults.boolValue(hotkeyEnabledKey(space10)), false);
    EXPECT_EQ(store.revision.value(), 3);
}

TEST_F(HotkeyStoreTests, AConflictIsTheFirstEnabledHolderOfTheKeys) {
    // Display X binds Control-Option-A to left (enabled) and to right on display Y (off).
    store.update(kControlOptionA, kLeftOnX);
    store.setEnabled(true, kLeftOnX);
    store.update(kControlOptionA, HotkeyAction::onDisplay(HotkeyIdentifier::right, "Y"));
    store.setEnabled(false, HotkeyAction::cursor(HotkeyIdentifier::up));
    const HotkeyCombination left = HotkeyCombination::defaultLeft();
    using Holder = std::optional<HotkeyAction>;
    const Holder none;
    // clang-format off
    const std::tuple<const char*, HotkeyCombination, Holder, std::vector<std::string>, Holder> rows[] = {
        {"cursorDefault", left, none, {"X"}, kLeft},
        {"cursorBeforeDisplay", left, none, {}, kLeft},
        {"excludedIsSkipped", left, kLeft, {"X"}, none},
        {"disabledCursorNever", HotkeyCombination::defaultUp(), none, {"X"}, none},
        {"displayOnlyWhenListed", kControlOptionA, none, {}, none},
        {"listedEnabledDisplay", kControlOptionA, none, {"Y", "X"}, kLeftOnX},
        {"disabledDisplayNever", kControlOptionA, kLeftOnX, {"Y", "X"}, none}};
    // clang-format on
    for (const auto& [name, combination, excluding, displays, expected] : rows) {
        EXPECT_EQ(store.conflict(combination, excluding, displays), expected) << name;
    }
}

// The preset is offered against the system's real shortcut table of the simulated desktop.
class MissionControlPresetOnceTests : public HotkeyHostFixture {
protected:
    bool applyOnce() {
        return TessarinMissionControlKeyboardShortcutPreset::applyIfAvailableOnce(store, detector,
                                                                                  host.defaults());
    }

    HotkeyStore& store = HotkeyStore::shared();
    MissionControlShortcutConflictDetector detector;
};

TEST_F(MissionControlPresetOnceTests, AppliesOnceWhileTheSystemKeysAreOnControlArrows) {
    EXPECT_TRUE(applyOnce());
    EXPECT_TRUE(store.isMissionControlKeyboardShortcutPresetApplied());
    EXPECT_TRUE(store.isSystemShortcutOverrideEnabled(kLeft));
    EXPECT_EQ(host.defaults().boolValue(TessarinMissionControlKeyboardShortcutPreset::appliedKey),
              true);
    store.resetToDefaults(HotkeyScope::cursorDisplay());
    EXPECT_FALSE(applyOnce());
    EXPECT_FALSE(store.isMissionControlKeyboardShortcutPresetApplied());
}

TEST_F(MissionControlPresetOnceTests, DoesNothingWhenMoveLeftIsOnOtherKeys) {
    host.symbolicHotKeys().set(79, {65535, 123, EventFlags::maskAlternate}, true);
    EXPECT_FALSE(applyOnce());
    EXPECT_EQ(store.revision.value(), 0);
    EXPECT_FALSE(
        host.defaults().contains(TessarinMissionControlKeyboardShortcutPreset::appliedKey));
}

} // namespace
} // namespace tessarin
