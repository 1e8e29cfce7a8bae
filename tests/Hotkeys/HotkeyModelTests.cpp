#include "HotkeyHostFixture.h"
#include "Hotkeys/HotkeyAction.h"
#include "Hotkeys/HotkeyCombination.h"
#include "Hotkeys/HotkeyIdentifier.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

constexpr uint64_t kCommand = EventFlags::maskCommand;
constexpr uint64_t kShift = EventFlags::maskShift;
constexpr uint64_t kControlOptionCommand =
    EventFlags::maskControl | EventFlags::maskAlternate | EventFlags::maskCommand;

struct FromEventRow {
    const char* name;
    uint16_t keyCode;
    uint64_t flags;
    std::optional<HotkeyCombination> expected;
};

class HotkeyCombinationFromEventTests : public ::testing::TestWithParam<FromEventRow> {};

TEST_P(HotkeyCombinationFromEventTests, BuildsTheCombinationOfAKeyDown) {
    EXPECT_EQ(HotkeyCombination::from(keyDown(GetParam().keyCode, GetParam().flags)),
              GetParam().expected);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, HotkeyCombinationFromEventTests, ::testing::Values(
    FromEventRow{"controlOptionCommandRight", 124, kControlOptionCommand | EventFlags::maskSecondaryFn, HotkeyCombination{124, 0x1900, "\u2192", "\uF703"}},
    FromEventRow{"shiftCommandA", 0, kShift | kCommand, HotkeyCombination{0, 0x300, "A", "a"}},
    FromEventRow{"capsLockIsDropped", 0, kCommand | EventFlags::maskAlphaShift, HotkeyCombination{0, 0x100, "A", "a"}},
    FromEventRow{"keypadEnterIsNotReturn", 76, kCommand, HotkeyCombination{76, 0x100, "\u2305", "\x03"}},
    FromEventRow{"functionKeyByTable", 96, 0, HotkeyCombination{96, 0, "F5", "\uF708"}},
    FromEventRow{"escapeGivesNothing", 53, kCommand, std::nullopt},
    FromEventRow{"f13GivesNothing", 105, 0, std::nullopt}),
    rowName<FromEventRow>);
// clang-format on

struct OverrideRow {
    const char* name;
    HotkeyIdentifier identifier;
    HotkeyCombination combination;
    bool expected;
};

class HotkeyActionOverrideTests : public ::testing::TestWithParam<OverrideRow> {};

TEST_P(HotkeyActionOverrideTests, OnlyADirectionOnItsControlArrowMustOverride) {
    const HotkeyAction action = HotkeyAction::onDisplay(GetParam().identifier, "X");
    EXPECT_EQ(action.shouldAlwaysOverrideMissionControlShortcut(GetParam().combination),
              GetParam().expected);
}

const HotkeyCombination kControlLeft{123, 0x1000, "\u2190", "\uF702"};

// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, HotkeyActionOverrideTests, ::testing::Values(
    OverrideRow{"leftOnControlLeft", HotkeyIdentifier::left, kControlLeft, true},
    OverrideRow{"leftOnControlOptionLeft", HotkeyIdentifier::left, {123, 0x1800, "\u2190", "\uF702"}, false},
    OverrideRow{"leftWithOtherText", HotkeyIdentifier::left, {123, 0x1000, "L", "\uF702"}, false},
    OverrideRow{"space1Never", HotkeyIdentifier::space1, kControlLeft, false}),
    rowName<OverrideRow>);
// clang-format on

} // namespace
} // namespace tessarin
