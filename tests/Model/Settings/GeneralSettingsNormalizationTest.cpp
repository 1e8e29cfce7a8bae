#include "Model/Settings/GeneralSettingsNormalization.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

TEST(GeneralSettingsNormalization, RepairsOneKeyAndKeepsTheOthers) {
    using Value = std::optional<PropertyValue>;
    // clang-format off
    struct Case { const char* name; const char* key; Value stored; Value expected; };
    const Case cases[] = {
        {"icons valid", "osdGridAppIconsEnabled", false, false},
        {"icons number", "osdGridAppIconsEnabled", 0, std::nullopt},
        {"screenshots text", "osdGridSpaceScreenshotsEnabled", "no", std::nullopt},
        {"pending number", "osdGridSpaceScreenshotsEnablePending", 1, std::nullopt},
        {"shape number", "osdGridSpaceScreenshotPanelShape", 3, std::nullopt},
        {"shape text", "osdGridSpaceScreenshotPanelShape", "rounded", "rounded"},
        {"duration valid", "osdDurationMs", 1500, 1500},
        {"duration whole double", "osdDurationMs", 800.0, 800},
        {"duration fraction", "osdDurationMs", 800.5, std::nullopt},
        {"duration negative", "osdDurationMs", -200, std::nullopt},
        {"duration negative double", "osdDurationMs", -200.0, std::nullopt},
        {"duration text", "osdDurationMs", "1000", std::nullopt},
        {"menu bar icon number", "menuBarIcon", 7, "tessarin"},
        {"menu bar icon valid", "menuBarIcon", "spaceNumber", "spaceNumber"},
        {"absent stays absent", "osdDurationMs", std::nullopt, std::nullopt},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        UserDefaults defaults;
        defaults.set("unrelated", "kept");
        if (c.stored) {
            defaults.set(c.key, *c.stored);
        }
        GeneralSettingsNormalization::apply(defaults);
        EXPECT_EQ(defaults.object(c.key), c.expected);
        EXPECT_EQ(defaults.object("unrelated"), PropertyValue("kept"));
    }
}

TEST(GeneralSettingsNormalization, MigratesTheOlderMenuBarKeyAndRunningTwiceChangesNothingMore) {
    UserDefaults defaults;
    defaults.set("showMenuBarGridIcon", true);
    defaults.set("osdDurationMs", 300.0);
    GeneralSettingsNormalization::apply(defaults);
    EXPECT_EQ(defaults.object("menuBarIcon"), PropertyValue("minigrid"));
    EXPECT_FALSE(defaults.contains("showMenuBarGridIcon"));
    const auto once = defaults.dictionaryRepresentation();
    GeneralSettingsNormalization::apply(defaults);
    EXPECT_EQ(defaults.dictionaryRepresentation(), once);
}

} // namespace
} // namespace tessarin
