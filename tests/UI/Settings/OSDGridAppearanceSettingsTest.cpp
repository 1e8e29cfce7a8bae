#include "UI/Settings/OSDGridAppearanceSettings.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

TEST(OSDGridAppearanceSettings, DefaultValue) {
    const OSDGridAppearanceSettings& value = OSDGridAppearanceSettings::defaultValue();
    EXPECT_EQ(value.appearanceMode, OSDAppearanceMode::automatic);
    EXPECT_EQ(value.headerIconStyle, OSDHeaderIconStyle::color);
    EXPECT_EQ(value.activeColor.rawValue, "1285FFFF");
    EXPECT_EQ(value.previewTint.rawValue, 40);
    EXPECT_EQ(value.activeSpaceBorderWidth.rawValue, 3);
    EXPECT_EQ(value.activeSpaceGlowSpread.rawValue, 6);
    EXPECT_EQ(value.activeSpaceGlowOpacity.rawValue, 100);
    EXPECT_EQ(&value, &OSDGridAppearanceSettings::defaultValue()) << "built once";
}

TEST(OSDGridAppearanceSettings, AnyFieldMakesADifference) {
    const auto base = OSDGridAppearanceSettings::defaultValue();
    auto changed = base;
    changed.activeSpaceGlowOpacity = OSDActiveSpaceGlowOpacity(55);
    EXPECT_NE(changed, base);
    changed = base;
    changed.activeColor = PersistentGridOverlayActiveColor{"systemHighlight"};
    EXPECT_NE(changed, base);
}

} // namespace
} // namespace tessarin
