#include "HotkeyHostFixture.h"
#include "Hotkeys/MissionControlShortcutConflictDetector.h"
#include "Platform/SymbolicHotKeyTable.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

const HotkeyCombination kControlRight{124, 0x1000, "\u2192", "\uF703"};
const HotkeyCombination kControl1{18, 0x1000, "1", "1"};

// A table with one entry; without `enabled` the entry has no such key.
PropertyDictionary one(const char* id, std::optional<PropertyValue> enabled,
                       PropertyArray parameters) {
    PropertyDictionary entry{{"value", PropertyDictionary{{"parameters", std::move(parameters)}}}};
    if (enabled) {
        entry.emplace("enabled", std::move(*enabled));
    }
    return {{id, PropertyValue(std::move(entry))}};
}

TEST(ConflictDetectorTests, ListsTheEnabledSystemShortcutsOnTheKeys) {
    // clang-format off
    const std::tuple<const char*, std::optional<PropertyDictionary>, HotkeyCombination, std::vector<int>> rows[] = {
        {"noTableUsesBuiltIns", std::nullopt, kControlRight, {81}},
        {"desktopOneEnabled", one("118", true, {65535, 18, 262144}), kControl1, {118}},
        {"desktopOneDisabled", one("118", false, {65535, 18, 262144}), kControl1, {}},
        {"enabledAsNumber", one("118", 1, {65535, 18, 4096}), kControl1, {118}},
        {"disabledAsNumber", one("118", 0, {65535, 18, 4096}), kControl1, {}},
        {"noEnabledFlagIsOff", one("118", std::nullopt, {65535, 18, 4096}), kControl1, {}},
        {"desktopSixteenIsTheLast", one("133", true, {65535, 18, 4096}), kControl1, {133}},
        {"malformedHidesBuiltIn", one("81", true, {65535, 124}), kControlRight, {}},
        {"twoInTableOrder", one("118", true, {65535, 124, 0x840000}), kControlRight, {81, 118}},
        {"carbonBitsAreReadToo", one("119", true, {65535, 19, 0x1200}), {19, 0x1200, "2", "2"}, {119}}};
    // clang-format on
    for (const auto& [name, hotKeys, combination, expectedIDs] : rows) {
        const MissionControlShortcutConflictDetector detector([&hotKeys] { return hotKeys; });
        std::vector<int> ids;
        for (const auto& conflict : detector.conflicts(combination)) {
            ids.push_back(conflict.symbolicHotKeyID);
        }
        EXPECT_EQ(ids, expectedIDs) << name;
    }
}

using ConflictDetectorHostTests = HotkeyHostFixture;

TEST_F(ConflictDetectorHostTests, ReadsTheSystemTableOfTheDesktop) {
    const MissionControlShortcutConflictDetector detector;
    host.symbolicHotKeys().set(118, {65535, 18, EventFlags::maskControl}, true);
    const auto conflicts = detector.conflicts(kControl1);
    ASSERT_EQ(conflicts.size(), 1u);
    EXPECT_EQ(conflicts[0], (SystemKeyboardShortcutConflict{118, "Switch to Desktop 1"}));
}

} // namespace
} // namespace tessarin
