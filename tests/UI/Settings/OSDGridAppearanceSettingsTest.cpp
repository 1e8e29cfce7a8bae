#include "UI/Settings/OSDGridAppearanceSettings.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

// A fresh install shows the look the composite calls its default.
TEST(OSDGridAppearanceSettings, DefaultIsWhatAnEmptyStoreReads) {
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
