#include "Core/SpaceModel/TessarinDisplayCatalog.h"
#include "HotkeyHostFixture.h"
#include "Hotkeys/HotkeyAction.h"
#include "Hotkeys/HotkeyCombination.h"
#include "Hotkeys/HotkeyIdentifier.h"
#include "Platform/Input/KeyboardLayout.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

constexpr uint64_t kCommand = EventFlags::maskCommand;
constexpr uint64_t kShift = EventFlags::maskShift;
constexpr uint64_t kControlOptionCommand =
    EventFlags::maskControl | EventFlags::maskAlternate | EventFlags::maskCommand;

Event keyDown(uint16_t keyCode, uint64_t flags) {
    Event event = Event::keyboard(keyCode, true, flags);
    event.characters = charactersForKeyCode(keyCode);
    return event;
}

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

INSTANTIATE_TEST_SUITE_P(
    Rows, HotkeyCombinationFromEventTests,
    ::testing::Values(
        FromEventRow{"controlOptionCommandRight", 124,
                     kControlOptionCommand | EventFlags::maskSecondaryFn,
                     HotkeyCombination{124, 0x1900, "\u2192", "\uF703"}},
        FromEventRow{"shiftCommandA", 0, kShift | kCommand, HotkeyCombination{0, 0x300, "A", "a"}},
        FromEventRow{"capsLockIsDropped", 0, kCommand | EventFlags::maskAlphaShift,
                     HotkeyCombination{0, 0x100, "A", "a"}},
        FromEventRow{"keypadEnterIsNotReturn", 76, kCommand,
                     HotkeyCombination{76, 0x100, "\u2305", "\x03"}},
        FromEventRow{"returnShowsItsGlyph", 36, kCommand,
                     HotkeyCombination{36, 0x100, "\u21A9", "\r"}},
        FromEventRow{"functionKeyByTable", 96, 0, HotkeyCombination{96, 0, "F5", "\uF708"}},
        FromEventRow{"noModifierNeeded", 18, 0, HotkeyCombination{18, 0, "1", "1"}},
        FromEventRow{"escapeGivesNothing", 53, kCommand, std::nullopt},
        FromEventRow{"f13GivesNothing", 105, 0, std::nullopt}),
    rowName<FromEventRow>);

TEST(HotkeyCombinationSymbolTests, GlyphsFollowCommandOptionControlShift) {
    EXPECT_EQ(HotkeyCombination::symbols(0x1900), "\u2318\u2325\u2303");
    EXPECT_EQ(HotkeyCombination::symbols(0x1B00 | 0x400), "\u2318\u2325\u2303\u21E7");
}

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

INSTANTIATE_TEST_SUITE_P(
    Rows, HotkeyActionOverrideTests,
    ::testing::Values(OverrideRow{"leftOnControlLeft", HotkeyIdentifier::left,
                                  HotkeyCombination{123, 0x1000, "\u2190", "\uF702"}, true},
                      OverrideRow{"downOnControlDown", HotkeyIdentifier::down,
                                  HotkeyCombination::missionControlPresetDown(), true},
                      OverrideRow{"leftOnControlOptionLeft", HotkeyIdentifier::left,
                                  HotkeyCombination{123, 0x1800, "\u2190", "\uF702"}, false},
                      OverrideRow{"leftWithOtherText", HotkeyIdentifier::left,
                                  HotkeyCombination{123, 0x1000, "L", "\uF702"}, false},
                      OverrideRow{"rightOnControlLeft", HotkeyIdentifier::right,
                                  HotkeyCombination::missionControlPresetLeft(), false},
                      OverrideRow{"space1Never", HotkeyIdentifier::space1,
                                  HotkeyCombination::missionControlPresetLeft(), false}),
    rowName<OverrideRow>);

TEST(HotkeyIdentifierTests, DirectSlotsNumberOneToTen) {
    EXPECT_EQ(directSlotIndex(HotkeyIdentifier::space1), 1);
    EXPECT_EQ(directSlotIndex(HotkeyIdentifier::space10), 10);
    EXPECT_EQ(directSlotIndex(HotkeyIdentifier::down), std::nullopt);
    EXPECT_EQ(directSlotIndex(HotkeyIdentifier::lastSpace), std::nullopt);
}

TEST(HotkeyIdentifierTests, LastSpaceSitsOnTheKeypadPlusShownAsReturn) {
    EXPECT_EQ(defaultCombination(HotkeyIdentifier::lastSpace),
              (HotkeyCombination{69, 0x1900, "\u21A9", "-"}));
    EXPECT_EQ(defaultCombination(HotkeyIdentifier::space10),
              (HotkeyCombination{29, 0x1900, "0", "0"}));
}

using HotkeyActionNameTests = HotkeyHostFixture;

TEST_F(HotkeyActionNameTests, DisplayScopeNamesTheDisplayAndTheShortName) {
    const auto displays = TessarinDisplayCatalog::connectedDisplays();
    ASSERT_FALSE(displays.empty());
    EXPECT_EQ(
        HotkeyAction::onDisplay(HotkeyIdentifier::left, displays.front().identifier).displayName(),
        displays.front().name + ": Switch left");
    EXPECT_EQ(HotkeyAction::onDisplay(HotkeyIdentifier::space2, "nowhere").displayName(),
              "Unknown Display: Switch to space 2");
    EXPECT_EQ(HotkeyAction::cursor(HotkeyIdentifier::left).displayName(),
              "Switch to space on the left");
}

} // namespace
} // namespace tessarin
