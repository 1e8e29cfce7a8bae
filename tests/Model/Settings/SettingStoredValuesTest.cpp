#include "Model/Settings/OSDActiveSpaceBorderWidth.h"
#include "Model/Settings/OSDActiveSpaceGlowOpacity.h"
#include "Model/Settings/OSDActiveSpaceGlowSpread.h"
#include "Model/Settings/OSDAllowsMouseSelectionSetting.h"
#include "Model/Settings/OSDAppearanceMode.h"
#include "Model/Settings/OSDGridAppIconsSetting.h"
#include "Model/Settings/OSDGridAppearanceSettings.h"
#include "Model/Settings/OSDGridOpacity.h"
#include "Model/Settings/OSDGridRearrangementBehavior.h"
#include "Model/Settings/OSDGridScreenshotCaptureMode.h"
#include "Model/Settings/OSDGridScreenshotTiming.h"
#include "Model/Settings/OSDGridShuffleRearrangingSetting.h"
#include "Model/Settings/OSDGridSize.h"
#include "Model/Settings/OSDHeaderIconStyle.h"
#include "Model/Settings/OSDPreviewTint.h"
#include "Model/Settings/PersistentGridOverlayOpacity.h"
#include "Model/Settings/PersistentGridOverlaySize.h"
#include "Model/Settings/PersistentTitleOverlayOpacity.h"
#include "Model/Settings/SettingsTestSupport.h"

#include <climits>
#include <cmath>
#include <gtest/gtest.h>

namespace tessarin {
namespace {

using testing::expectReads;

// Every case of a choice, in declaration order, is stored under its key as the given text and
// reads back as itself; a missing, unknown, wrongly capitalised or non-text value reads as the
// default.
template <class E>
void expectStoredChoices(const char* key, std::vector<std::string> texts, E fallback) {
    const auto cases = allCases<E>();
    ASSERT_EQ(texts.size(), cases.size()) << key << ": every case has its text";
    std::vector<std::pair<testing::Stored, E>> rows{{{}, fallback}, {1, fallback}};
    for (std::size_t i = 0; i < cases.size(); ++i) {
        EXPECT_EQ(rawValue(cases[i]), texts[i]);
        rows.emplace_back(texts[i], cases[i]);
    }
    texts.front()[0] = static_cast<char>(std::toupper(texts.front()[0]));
    rows.emplace_back(texts.front(), fallback);
    expectReads(key, persisted<E>, rows);
}

TEST(SettingStoredValues, EveryStoredChoiceReadsBack) {
    expectStoredChoices("osdAppearanceMode", {"light", "dark", "auto"},
                        OSDAppearanceMode::automatic);
    expectStoredChoices("osdHeaderIconStyle", {"color", "monochrome"}, OSDHeaderIconStyle::color);
    expectStoredChoices("osdGridSize", {"medium", "large", "extraLarge"}, OSDGridSize::large);
    expectStoredChoices("osdGridScreenshotTiming", {"performant", "optimised", "power"},
                        OSDGridScreenshotTiming::performant);
    expectStoredChoices("osdGridScreenshotCaptureMode", {"screen", "window"},
                        OSDGridScreenshotCaptureMode::window);
    expectStoredChoices("persistentGridOverlaySize", {"small", "medium", "large"},
                        PersistentGridOverlaySize::medium);
}

// The opacities read the eleven tens from 0 to 100, and a whole double; anything else reads as
// the setting's own default.
template <class E> void expectTenPercentSteps(const char* key, int defaultPercent) {
    std::vector<int> percents;
    std::vector<std::pair<testing::Stored, int>> rows{{{}, defaultPercent}, {70.0, 70}};
    for (const E value : allCases<E>()) {
        percents.push_back(rawValue(value));
        rows.emplace_back(rawValue(value), rawValue(value));
    }
    EXPECT_EQ(percents, (std::vector{0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100}));
    for (const PropertyValue& other : {PropertyValue(15), PropertyValue(-10), PropertyValue(110),
                                       PropertyValue("50"), PropertyValue(true)}) {
        rows.emplace_back(other, defaultPercent);
    }
    expectReads(
        key, [](const UserDefaults& d) { return rawValue(persisted<E>(d)); }, rows);
}

TEST(SettingStoredValues, OpacitiesReadEveryTenPercentAndNothingElse) {
    expectTenPercentSteps<OSDGridOpacity>("osdGridOpacityPercent", 90);
    expectTenPercentSteps<PersistentGridOverlayOpacity>("persistentGridOverlayOpacityPercent", 10);
    expectTenPercentSteps<PersistentTitleOverlayOpacity>("persistentTitleOverlayOpacityPercent",
                                                         10);
}

// Any integer is brought to an allowed value, by the constructor as by `normalizedValue`; any
// stored number is read that way, and anything else reads as the default.
template <class T>
void expectSteppedSetting(int defaultValue, std::vector<std::pair<int, int>> normalized) {
    for (const auto& [raw, expected] : normalized) {
        EXPECT_EQ(T::normalizedValue(raw), expected) << T::key << " " << raw;
        EXPECT_EQ(T(raw).rawValue, expected) << T::key << " " << raw;
    }
    EXPECT_EQ(T().rawValue, defaultValue);
    const std::vector<std::pair<testing::Stored, int>> stored{
        {{}, defaultValue},          {1000, T(1000).rawValue},      {62.4, T(62).rawValue},
        {1.0e300, T(1000).rawValue}, {-1.0e300, T(-1000).rawValue}, {std::nan(""), defaultValue},
        {"4", defaultValue},         {true, defaultValue}};
    expectReads(
        T::key, [](const UserDefaults& d) { return T::persisted(d).rawValue; }, stored);
}

TEST(SettingStoredValues, SteppedIntegersBringAnyNumberToAnAllowedValue) {
    using Table = std::vector<std::pair<int, int>>;
    const Table tint{{40, 40},   {47, 45},       {48, 50},    {42, 40},   {2, 0},
                     {3, 5},     {-2, 0},        {-3, 0},     {100, 100}, {103, 100},
                     {150, 100}, {INT_MAX, 100}, {INT_MIN, 0}};
    const Table glowOpacity{{100, 100}, {55, 55}, {52, 50},   {53, 55},
                            {-3, 0},    {0, 0},   {101, 100}, {250, 100}};
    const Table glowSpread{{6, 6}, {4, 4},   {5, 6},   {3, 4},   {1, 2},      {-1, 0},
                           {0, 0}, {47, 48}, {48, 48}, {50, 48}, {INT_MIN, 0}};
    const Table borderWidth{{3, 3}, {0, 1}, {-5, 1}, {1, 1}, {8, 8}, {9, 8}, {100, 8}};
    expectSteppedSetting<OSDPreviewTint>(40, tint);
    expectSteppedSetting<OSDActiveSpaceGlowOpacity>(100, glowOpacity);
    expectSteppedSetting<OSDActiveSpaceGlowSpread>(6, glowSpread);
    expectSteppedSetting<OSDActiveSpaceBorderWidth>(3, borderWidth);
}

// Both values round-trip through the store; a missing or non-Boolean value reads as the default.
template <class Setting> void expectBooleanSetting(const char* key, bool defaultValue) {
    expectReads<bool>(key, Setting::persisted, {{{}, defaultValue}, {1, defaultValue}});
    UserDefaults defaults;
    for (const bool value : {!defaultValue, defaultValue}) {
        Setting::persist(value, defaults);
        EXPECT_EQ(defaults.object(key), PropertyValue(value));
        EXPECT_EQ(Setting::persisted(defaults), value);
    }
}

TEST(SettingStoredValues, BooleanSettingsKeysAndDefaults) {
    expectBooleanSetting<OSDGridAppIconsSetting>("osdGridAppIconsEnabled", true);
    expectBooleanSetting<OSDAllowsMouseSelectionSetting>("osdAllowsMouseSelection", true);
    expectBooleanSetting<OSDGridShuffleRearrangingSetting>("osdShuffleWhenRearranging", false);
    EXPECT_EQ(rearrangementBehavior(true), OSDGridRearrangementBehavior::shuffle);
    EXPECT_EQ(rearrangementBehavior(false), OSDGridRearrangementBehavior::swap);
}

// A fresh install shows the look the composite calls its default.
TEST(SettingStoredValues, AppearanceDefaultIsWhatAnEmptyStoreReads) {
    using ActiveColor = PersistentGridOverlayActiveColor;
    const UserDefaults empty;
    const OSDGridAppearanceSettings read{
        .appearanceMode = persisted<OSDAppearanceMode>(empty),
        .headerIconStyle = persisted<OSDHeaderIconStyle>(empty),
        .activeColor = ActiveColor{ActiveColor::persisted(empty)},
        .previewTint = OSDPreviewTint::persisted(empty),
        .activeSpaceBorderWidth = OSDActiveSpaceBorderWidth::persisted(empty),
        .activeSpaceGlowSpread = OSDActiveSpaceGlowSpread::persisted(empty),
        .activeSpaceGlowOpacity = OSDActiveSpaceGlowOpacity::persisted(empty)};
    EXPECT_EQ(OSDGridAppearanceSettings::defaultValue(), read);
}

} // namespace
} // namespace tessarin
