#include "HotkeyHostFixture.h"
#include "Hotkeys/MissionControlShortcutConflictDetector.h"
#include "Platform/SymbolicHotKeyTable.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

const HotkeyCombination kControlRight{124, 0x1000, "\u2192", "\uF703"};
const HotkeyCombination kControl1{18, 0x1000, "1", "1"};

PropertyValue entry(PropertyValue enabled, PropertyArray parameters) {
    return PropertyValue(PropertyDictionary{
        {"enabled", std::move(enabled)},
        {"value", PropertyValue(PropertyDictionary{{"parameters", std::move(parameters)}})}});
}

struct ConflictRow {
    const char* name;
    std::optional<PropertyDictionary> hotKeys;
    HotkeyCombination combination;
    std::vector<int> expectedIDs;
};

class ConflictDetectorTests : public ::testing::TestWithParam<ConflictRow> {};

TEST_P(ConflictDetectorTests, ListsTheEnabledSystemShortcutsOnTheKeys) {
    const MissionControlShortcutConflictDetector detector([] { return GetParam().hotKeys; });
    std::vector<int> ids;
    for (const auto& conflict : detector.conflicts(GetParam().combination)) {
        ids.push_back(conflict.symbolicHotKeyID);
    }
    EXPECT_EQ(ids, GetParam().expectedIDs);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ConflictDetectorTests,
    ::testing::Values(
        ConflictRow{"noTableUsesBuiltIns", std::nullopt, kControlRight, {81}},
        ConflictRow{"desktopsHaveNoBuiltIn", std::nullopt, kControl1, {}},
        ConflictRow{"desktopOneEnabled",
                    PropertyDictionary{{"118", entry(true, {65535, 18, 262144})}},
                    kControl1,
                    {118}},
        ConflictRow{"desktopOneDisabled",
                    PropertyDictionary{{"118", entry(false, {65535, 18, 262144})}},
                    kControl1,
                    {}},
        ConflictRow{"enabledAsNumber",
                    PropertyDictionary{{"118", entry(1, {65535, 18, 4096})}},
                    kControl1,
                    {118}},
        ConflictRow{"malformedEntryHidesItsBuiltIn",
                    PropertyDictionary{{"81", entry(true, {65535, 124})}},
                    kControlRight,
                    {}},
        ConflictRow{
            "notADictionary", PropertyDictionary{{"81", PropertyValue("x")}}, kControlRight, {}},
        ConflictRow{"twoShortcutsInTableOrder",
                    PropertyDictionary{{"118", entry(true, {65535, 124, 0x840000})}},
                    kControlRight,
                    {81, 118}},
        ConflictRow{"carbonBitsAreReadToo",
                    PropertyDictionary{{"119", entry(true, {65535, 19, 0x1000 | 0x200})}},
                    HotkeyCombination{19, 0x1200, "2", "2"},
                    {119}}),
    [](const auto& info) { return std::string(info.param.name); });

using ConflictDetectorHostTests = HotkeyHostFixture;

TEST_F(ConflictDetectorHostTests, ReadsTheSystemTableOfTheDesktop) {
    const MissionControlShortcutConflictDetector detector;
    host.symbolicHotKeys().set(118, {65535, 18, EventFlags::maskControl}, true);
    const auto conflicts = detector.conflicts(kControl1);
    ASSERT_EQ(conflicts.size(), 1u);
    EXPECT_EQ(conflicts[0], (SystemKeyboardShortcutConflict{118, "Switch to Desktop 1"}));
    host.symbolicHotKeys().setEnabled(81, false);
    EXPECT_TRUE(detector.conflicts(kControlRight).empty());
}

} // namespace
} // namespace tessarin
