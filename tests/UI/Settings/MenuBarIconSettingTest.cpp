#include "UI/Settings/MenuBarIconSetting.h"

#include "UI/Settings/SettingsTestSupport.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

using S = MenuBarIconSetting;
using Value = std::optional<PropertyValue>;

TEST(MenuBarIconSetting, ReadsWithoutWritingAndWritesAwayTheLegacyKey) {
    const struct {
        const char* name;
        Value icon, legacy;
        S persisted;
        Value normalizedIcon;
    } cases[] = {
        {"nothing", {}, {}, S::tessarin, {}},
        {"valid", "spaceNumber", true, S::spaceNumber, "spaceNumber"},
        {"number", 7, {}, S::tessarin, "tessarin"},
        {"unknown text", "Minigrid", true, S::tessarin, "tessarin"},
        {"legacy true", {}, true, S::minigrid, "minigrid"},
        {"legacy false", {}, false, S::tessarin, {}},
        {"legacy not Boolean", {}, "true", S::tessarin, {}},
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
        persist(c.persisted, defaults);
        EXPECT_FALSE(defaults.contains("showMenuBarGridIcon")) << "persisting drops the legacy key";
    }
}

} // namespace
} // namespace tessarin
