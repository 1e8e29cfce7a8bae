#include "HotkeyHostFixture.h"
#include "Hotkeys/HotkeyAction.h"
#include "Hotkeys/HotkeyCombination.h"
#include "Hotkeys/HotkeyIdentifier.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

constexpr uint64_t kCommand = EventFlags::maskCommand;
constexpr uint64_t kControlOptionCommand =
    EventFlags::maskControl | EventFlags::maskAlternate | EventFlags::maskCommand;

TEST(HotkeyCombinationFromEventTests, BuildsTheCombinationOfAKeyDown) {
    // clang-format off
    const std::tuple<const char*, uint16_t, uint64_t, std::optional<HotkeyCombination>> rows[] = {
        {"controlOptionCommandRight", 124, kControlOptionCommand | EventFlags::maskSecondaryFn, HotkeyCombination{124, 0x1900, "\u2192", "\uF703"}},
        {"shiftCommandA", 0, EventFlags::maskShift | kCommand, HotkeyCombination{0, 0x300, "A", "a"}},
        {"capsLockIsDropped", 0, kCommand | EventFlags::maskAlphaShift, HotkeyCombination{0, 0x100, "A", "a"}},
        {"keypadEnterIsNotReturn", 76, kCommand, HotkeyCombination{76, 0x100, "\u2305", "\x03"}},
        {"functionKeyByTable", 96, 0, HotkeyCombination{96, 0, "F5", "\uF708"}},
        {"escapeGivesNothing", 53, kCommand, std::nullopt},
        {"f13GivesNothing", 105, 0, std::nullopt}};
    // clang-format on
    for (const auto& [name, keyCode, flags, expected] : rows) {
        EXPECT_EQ(HotkeyCombination::from(keyDown(keyCode, flags)), expected) << name;
    }
}

TEST(HotkeyActionOverrideTests, OnlyADirectionOnItsControlArrowMustOverride) {
    const HotkeyCombination controlLeft{123, 0x1000, "\u2190", "\uF702"};
    // clang-format off
    const std::tuple<const char*, HotkeyIdentifier, HotkeyCombination, bool> rows[] = {
        {"leftOnControlLeft", HotkeyIdentifier::left, controlLeft, true},
        {"leftOnControlOptionLeft", HotkeyIdentifier::left, {123, 0x1800, "\u2190", "\uF702"}, false},
        {"leftWithOtherText", HotkeyIdentifier::left, {123, 0x1000, "L", "\uF702"}, false},
        {"space1Never", HotkeyIdentifier::space1, controlLeft, false}};
    // clang-format on
    for (const auto& [name, identifier, combination, expected] : rows) {
        const HotkeyAction action = HotkeyAction::onDisplay(identifier, "X");
        EXPECT_EQ(action.shouldAlwaysOverrideMissionControlShortcut(combination), expected) << name;
    }
}

} // namespace
} // namespace tessarin
