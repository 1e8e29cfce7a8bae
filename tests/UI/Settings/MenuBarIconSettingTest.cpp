#include "UI/Settings/MenuBarIconSetting.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

struct IconCase {
    const char* name;
    std::optional<PropertyValue> icon;
    std::optional<PropertyValue> legacy;
    MenuBarIconSetting persistedSetting;
    std::optional<PropertyValue> normalizedIcon;
};

class MenuBarIconSettingTest : public ::testing::TestWithParam<IconCase> {
protected:
    UserDefaults defaults;
    void SetUp() override {
        if (GetParam().icon)
            defaults.set("menuBarIcon", *GetParam().icon);
        if (GetParam().legacy)
            defaults.set("showMenuBarGridIcon", *GetParam().legacy);
    }
};

TEST_P(MenuBarIconSettingTest, ReadsWithoutWriting) {
    const auto before = defaults.dictionaryRepresentation();
    EXPECT_EQ(persisted<MenuBarIconSetting>(defaults), GetParam().persistedSetting);
    EXPECT_EQ(defaults.dictionaryRepresentation(), before);
}

TEST_P(MenuBarIconSettingTest, NormaliseLeavesAValidSettingOrNoneAndNeverTheLegacyKey) {
    normalize<MenuBarIconSetting>(defaults);
    EXPECT_EQ(defaults.object("menuBarIcon"), GetParam().normalizedIcon);
    EXPECT_FALSE(defaults.contains("showMenuBarGridIcon"));
    EXPECT_EQ(persisted<MenuBarIconSetting>(defaults), GetParam().persistedSetting)
        << "normalising keeps what the user sees";
}

using S = MenuBarIconSetting;

INSTANTIATE_TEST_SUITE_P(
    Table, MenuBarIconSettingTest,
    ::testing::Values(IconCase{"nothing", std::nullopt, std::nullopt, S::tessarin, std::nullopt},
                      IconCase{"valid", "spaceNumber", true, S::spaceNumber, "spaceNumber"},
                      IconCase{"number", 7, std::nullopt, S::tessarin, "tessarin"},
                      IconCase{"unknownText", "Minigrid", true, S::tessarin, "tessarin"},
                      IconCase{"legacyTrue", std::nullopt, true, S::minigrid, "minigrid"},
                      IconCase{"legacyFalse", std::nullopt, false, S::tessarin, std::nullopt},
                      IconCase{"legacyNotBoolean", std::nullopt, "true", S::tessarin,
                               std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MenuBarIconSetting, PersistWritesEveryChoiceAsTextAndDropsTheLegacyKey) {
    const std::pair<S, const char*> choices[] = {
        {S::spaceNumber, "spaceNumber"}, {S::minigrid, "minigrid"}, {S::tessarin, "tessarin"}};
    UserDefaults defaults;
    for (const auto& [setting, text] : choices) {
        defaults.set("showMenuBarGridIcon", true);
        persist(setting, defaults);
        EXPECT_EQ(defaults.object("menuBarIcon"), PropertyValue(text));
        EXPECT_FALSE(defaults.contains("showMenuBarGridIcon"));
        EXPECT_EQ(persisted<S>(defaults), setting);
    }
}

} // namespace
} // namespace tessarin
