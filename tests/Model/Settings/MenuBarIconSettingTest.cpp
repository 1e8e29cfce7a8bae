#include "Model/Settings/MenuBarIconSetting.h"

#include "Model/Settings/SettingsTestSupport.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

using S = MenuBarIconSetting;
using Value = std::optional<PropertyValue>;

TEST(MenuBarIconSetting, ReadsWithoutWritingAndWritesAwayTheLegacyKey) {
    const struct {
        const char* name;
        Value icon, legacy, normalizedIcon;
        S persisted;
    } cases[] = {
        {"nothing", {}, {}, {}, S::tessarin},
        {"valid", "spaceNumber", true, "spaceNumber", S::spaceNumber},
        {"number", 7, {}, "tessarin", S::tessarin},
        {"unknown text", "Minigrid", true, "tessarin", S::tessarin},
        {"legacy true", {}, true, "minigrid", S::minigrid},
        {"legacy false", {}, false, {}, S::tessarin},
        {"legacy not Boolean", {}, "true", {}, S::tessarin},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto store =
            testing::storeWith({{"menuBarIcon", c.icon}, {"showMenuBarGridIcon", c.legacy}});
        UserDefaults& defaults = *store;
        const auto before = defaults.dictionaryRepresentation();
        EXPECT_EQ(persisted<S>(defaults), c.persisted);
        EXPECT_EQ(defaults.dictionaryRepresentation(), before) << "reading writes nothing";
        normalize<S>(defaults);
        EXPECT_EQ(defaults.object("menuBarIcon"), c.normalizedIcon);
        EXPECT_FALSE(defaults.contains("showMenuBarGridIcon"));
        EXPECT_EQ(persisted<S>(defaults), c.persisted) << "normalising keeps what the user sees";
        defaults.set("showMenuBarGridIcon", true);
        int iconWrites = 0;
        const auto token = defaults.addObserver(
            [&](const std::string& key) { iconWrites += key == "menuBarIcon" ? 1 : 0; });
        persist(c.persisted, defaults);
        defaults.removeObserver(token);
        EXPECT_FALSE(defaults.contains("showMenuBarGridIcon")) << "persisting drops the legacy key";
        EXPECT_EQ(iconWrites, c.normalizedIcon ? 0 : 1) << "an unchanged choice is not rewritten";
    }
}

} // namespace
} // namespace tessarin
