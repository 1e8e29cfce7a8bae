#include "Model/Settings/GridModeStore.h"

#include "Model/Settings/DefaultsWriteRecorder.h"
#include "Platform/Preferences/Preferences.h"
#include "Support/BundleIdentifier.h"
#include "Support/VirtualMainQueue.h"

#include <cmath>
#include <gtest/gtest.h>

namespace tessarin {
namespace {

constexpr const char* kDisplay = "5A1C3B2E-0000-4000-8000-00000000D15A";

class GridModeStoreTest : public ::testing::Test {
protected:
    VirtualMainQueue queue;
    ScopedMainQueue scopedQueue{queue};
    UserDefaults defaults;
    Preferences preferences{defaults};

    std::string overrideKey(const std::string& baseKey) const {
        return baseKey + ".display." + kDisplay;
    }
};

TEST_F(GridModeStoreTest, OverrideFallsBackToGlobalThenDefault) {
    GridModeStore store(preferences);
    defaults.set("gridColumnCount", 2);
    EXPECT_EQ(store.columnCount(std::string(kDisplay)), GridColumnCount::four) << "global";
    defaults.set(overrideKey("gridColumnCount"), 0);
    EXPECT_EQ(store.columnCount(std::string(kDisplay)), GridColumnCount::two) << "override";
    EXPECT_EQ(store.columnCount(), GridColumnCount::four) << "global ignores overrides";
    EXPECT_EQ(store.columnCount(" \n" + std::string(kDisplay) + "\t "), GridColumnCount::two);
    for (const std::string blank : {"", " \n "}) {
        EXPECT_EQ(store.columnCount(blank), GridColumnCount::four) << "blank is global";
    }
    defaults.remove("gridColumnCount");
    EXPECT_EQ(store.columnCount(std::string("other")), GridColumnCount::three) << "default";
    EXPECT_EQ(defaults.keys().size(), 1u) << "reading must not write";
}

// A wrong-typed or out-of-range override reads as the global value; a bad global reads as the
// default. The store never rewrites the bad value.
TEST_F(GridModeStoreTest, ReadsFallBackPastInvalidValues) {
    // clang-format off
    struct Case { const char* name; const char* key; PropertyValue overrideValue, globalValue; };
    const Case cases[] = {
        {"columns out of range", "gridColumnCount", 7, -1},
        {"columns as a column number", "gridColumnCount", 3, 4},
        {"columns as text or fraction", "gridColumnCount", "2", 1.5},
        {"columns huge or NaN", "gridColumnCount", std::nan(""), -1.0e300},
        {"wrap unknown", "gridWrapStyle", "zigzag", "PacMan"},
        {"wrap not text", "gridWrapStyle", 1, true},
        {"blocks as number or text", "gridBlocksAtEdges", 0, "false"},
        {"placeholders as array or number", "gridUsePlaceholders", PropertyArray{true}, 1},
    };
    // clang-format on
    GridModeStore store(preferences);
    const std::optional<std::string> display = std::string(kDisplay);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        defaults.set(overrideKey(c.key), c.overrideValue);
        defaults.set(c.key, c.globalValue);
        EXPECT_EQ(store.columnCount(display), GridColumnCount::three);
        EXPECT_EQ(store.wrapStyle(display), GridWrapStyle::snake);
        EXPECT_TRUE(store.blocksAtEdges(display));
        EXPECT_FALSE(store.usePlaceholders(display));
        EXPECT_EQ(defaults.object(c.key), c.globalValue);
    }
}

TEST_F(GridModeStoreTest, ScopedSettersWriteTheirKeyAndRaiseTheRevisionOnce) {
    GridModeStore store(preferences);
    DefaultsWriteRecorder writes(defaults);

    store.setColumnCount(GridColumnCount::four, DisplaySettingsScope::global());
    EXPECT_EQ(defaults.object("gridColumnCount"), PropertyValue(2));
    EXPECT_EQ(store.settingsRevision.value(), 1);

    store.setWrapStyle(GridWrapStyle::pacMan,
                       DisplaySettingsScope::display(std::string(" ") + kDisplay));
    EXPECT_EQ(defaults.object(overrideKey("gridWrapStyle")), PropertyValue("pacMan"));
    EXPECT_EQ(store.settingsRevision.value(), 2);

    store.setSwitchOnModifierRelease(false, DisplaySettingsScope::display(kDisplay));
    store.setHideOSDOnDirectJump(true, DisplaySettingsScope::global());
    store.setUsePlaceholders(true, DisplaySettingsScope::display(kDisplay));
    store.setBlocksAtEdges(false, DisplaySettingsScope::display(kDisplay));
    EXPECT_EQ(store.settingsRevision.value(), 6);
    EXPECT_EQ(writes.count(), 6u);

    EXPECT_FALSE(store.switchOnModifierRelease(std::string(kDisplay)));
    EXPECT_TRUE(store.switchOnModifierRelease());
    EXPECT_TRUE(store.hideOSDOnDirectJump(std::string(kDisplay)));
    EXPECT_TRUE(store.usePlaceholders(std::string(kDisplay)));
    EXPECT_FALSE(store.usePlaceholders());
    EXPECT_FALSE(store.blocksAtEdges(std::string(kDisplay)));
}

TEST_F(GridModeStoreTest, TheStoredValueAgainOrABlankDisplayWritesNothing) {
    GridModeStore store(preferences);
    store.setBlocksAtEdges(false, DisplaySettingsScope::display(kDisplay));
    DefaultsWriteRecorder writes(defaults);
    store.setBlocksAtEdges(false, DisplaySettingsScope::display(std::string(kDisplay) + "\n"));
    store.setColumnCount(GridColumnCount::two, DisplaySettingsScope::display("  \t"));
    EXPECT_EQ(writes.count(), 0u);
    EXPECT_EQ(store.settingsRevision.value(), 1);
}

TEST_F(GridModeStoreTest, HasAndClearOverridesCoverEveryGridKeyOfThatDisplayOnly) {
    GridModeStore store(preferences);
    EXPECT_FALSE(store.hasOverrides(kDisplay));
    store.setColumnCount(GridColumnCount::two, DisplaySettingsScope::display(kDisplay));
    store.setHideOSDOnDirectJump(true, DisplaySettingsScope::display(kDisplay));
    store.setUsePlaceholders(true, DisplaySettingsScope::display("other"));
    store.setColumnCount(GridColumnCount::four, DisplaySettingsScope::global());
    EXPECT_TRUE(store.hasOverrides(std::string(" ") + kDisplay));

    const auto before = store.settingsRevision.value();
    store.clearOverrides(kDisplay);
    EXPECT_FALSE(store.hasOverrides(kDisplay));
    EXPECT_TRUE(store.hasOverrides("other"));
    EXPECT_EQ(store.columnCount(std::string(kDisplay)), GridColumnCount::four);
    EXPECT_EQ(store.settingsRevision.value(), before + 1) << "one edit for the whole reset";

    DefaultsWriteRecorder writes(defaults);
    store.clearOverrides(kDisplay);
    EXPECT_EQ(writes.count(), 0u);
    EXPECT_EQ(store.settingsRevision.value(), before + 1);
}

TEST_F(GridModeStoreTest, GlobalPickerSettingIsReadOnceAndHasNoOverride) {
    defaults.set("showOSDSpacePickerOnAllScreens", true);
    defaults.set(overrideKey("showOSDSpacePickerOnAllScreens"), false);
    GridModeStore store(preferences);
    EXPECT_TRUE(store.globalShowOSDSpacePickerOnAllScreens);
}

TEST_F(GridModeStoreTest, IsEnabledFollowsTheStoredSwitchAndPublishesChanges) {
    defaults.set("gridModeEnabled", false);
    GridModeStore store(preferences);
    EXPECT_FALSE(store.isEnabled.value());

    preferences.setAppValue("gridModeEnabled", PropertyValue(true), kBundleIdentifier);
    EXPECT_TRUE(store.isEnabled.value());

    defaults.set("gridModeEnabled", "yes");
    EXPECT_TRUE(store.isEnabled.value()) << "a non-Boolean reads as the default";
}

TEST_F(GridModeStoreTest, WritesGoToTheGivenPreferenceDomain) {
    GridModeStore store(preferences, "com.example.other");
    store.setColumnCount(GridColumnCount::two, DisplaySettingsScope::global());
    EXPECT_FALSE(defaults.contains("gridColumnCount"));
    EXPECT_EQ(preferences.copyAppValue("gridColumnCount", "com.example.other"), PropertyValue(0));
    EXPECT_EQ(store.columnCount(), GridColumnCount::two);
}

} // namespace
} // namespace tessarin
