#include "Core/Settings/GeneralSettingsNormalization.h"

#include <gtest/gtest.h>
#include <ostream>

namespace tessarin {
namespace {

struct NormalizationCase {
    const char* name;
    const char* key;
    std::optional<PropertyValue> stored;
    std::optional<PropertyValue> expected;
};

void PrintTo(const NormalizationCase& value, std::ostream* out) {
    *out << value.name;
}

class GeneralSettingsNormalizationTest : public ::testing::TestWithParam<NormalizationCase> {};

TEST_P(GeneralSettingsNormalizationTest, RepairsOneKeyAndKeepsTheOthers) {
    const auto& c = GetParam();
    UserDefaults defaults;
    defaults.set("unrelated", "kept");
    defaults.set("osdAppFilterNames", PropertyArray{"Safari"});
    if (c.stored)
        defaults.set(c.key, *c.stored);
    GeneralSettingsNormalization::apply(defaults);
    EXPECT_EQ(defaults.object(c.key), c.expected);
    EXPECT_EQ(defaults.object("unrelated"), PropertyValue("kept"));
    EXPECT_EQ(defaults.object("osdAppFilterNames"), PropertyValue(PropertyArray{"Safari"}));
}

INSTANTIATE_TEST_SUITE_P(
    Keys, GeneralSettingsNormalizationTest,
    ::testing::Values(
        NormalizationCase{"iconsValid", "osdGridAppIconsEnabled", false, false},
        NormalizationCase{"iconsNumber", "osdGridAppIconsEnabled", 0, std::nullopt},
        NormalizationCase{"screenshotsText", "osdGridSpaceScreenshotsEnabled", "no", std::nullopt},
        NormalizationCase{"screenshotsValid", "osdGridSpaceScreenshotsEnabled", true, true},
        NormalizationCase{"pendingNumber", "osdGridSpaceScreenshotsEnablePending", 1, std::nullopt},
        NormalizationCase{"shapeNumber", "osdGridSpaceScreenshotPanelShape", 3, std::nullopt},
        NormalizationCase{"shapeText", "osdGridSpaceScreenshotPanelShape", "rounded", "rounded"},
        NormalizationCase{"durationValid", "osdDurationMs", 1500, 1500},
        NormalizationCase{"durationWholeDouble", "osdDurationMs", 800.0, 800},
        NormalizationCase{"durationFraction", "osdDurationMs", 800.5, std::nullopt},
        NormalizationCase{"durationNegative", "osdDurationMs", -200, std::nullopt},
        NormalizationCase{"durationNegativeDouble", "osdDurationMs", -200.0, std::nullopt},
        NormalizationCase{"durationText", "osdDurationMs", "1000", std::nullopt},
        NormalizationCase{"menuBarIconNumber", "menuBarIcon", 7, "tessarin"},
        NormalizationCase{"menuBarIconValid", "menuBarIcon", "spaceNumber", "spaceNumber"},
        NormalizationCase{"absentStaysAbsent", "osdDurationMs", std::nullopt, std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(GeneralSettingsNormalization, MigratesTheOlderMenuBarKey) {
    UserDefaults defaults;
    defaults.set("showMenuBarGridIcon", true);
    GeneralSettingsNormalization::apply(defaults);
    EXPECT_EQ(defaults.object("menuBarIcon"), PropertyValue("minigrid"));
    EXPECT_FALSE(defaults.contains("showMenuBarGridIcon"));
}

TEST(GeneralSettingsNormalization, RunningTwiceChangesNothingMore) {
    UserDefaults defaults;
    defaults.set("osdDurationMs", 300.0);
    defaults.set("menuBarIcon", "bogus");
    GeneralSettingsNormalization::apply(defaults);
    const auto once = defaults.dictionaryRepresentation();
    GeneralSettingsNormalization::apply(defaults);
    EXPECT_EQ(defaults.dictionaryRepresentation(), once);
}

} // namespace
} // namespace tessarin
