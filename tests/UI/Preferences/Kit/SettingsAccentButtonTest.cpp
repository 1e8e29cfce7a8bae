#include "UI/Preferences/Kit/SettingsAccentButton.h"

#include "UI/Preferences/Kit/ColourContrast.h"
#include "UI/Preferences/PreferencesTestSupport.h"

#include <QPushButton>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

namespace tessarin {
namespace {

using testing::contrast;

struct AccentCase {
    const char* name;
    Appearance appearance;
};

// CTest names each row by this, not by a dump of its bytes.
void PrintTo(const AccentCase& c, std::ostream* out) {
    *out << c.name;
}

class SettingsAccentButtonTest : public ::testing::TestWithParam<AccentCase> {};

TEST_P(SettingsAccentButtonTest, TheTitleReadsOnAnAccentBezel) {
    const Appearance appearance = GetParam().appearance;
    const QColor bezel = SettingsAccentButton::bezelColor(appearance);
    EXPECT_GE(contrast(SettingsAccentButton::titleColor(appearance), bezel), 4.5);
    // An accent: blue, clearly not the white or grey of a plain button.
    EXPECT_GT(bezel.blue(), 2 * std::max(bezel.red(), bezel.green()));
    EXPECT_LT(bezel.lightnessF(), 0.6);
}

TEST_P(SettingsAccentButtonTest, TheButtonIsDrawnWithTheBezelAndItsTitle) {
    testing::ensureWidgetApplication();
    const Appearance appearance = GetParam().appearance;
    QPushButton button(QStringLiteral("Open"));
    SettingsAccentButton::apply(button, appearance);
    button.resize(button.sizeHint().expandedTo(QSize(82, 0)));
    const QImage picture = button.grab().toImage();
    const QColor bezel = SettingsAccentButton::bezelColor(appearance);
    EXPECT_EQ(picture.pixelColor(6, picture.height() / 2), bezel);
    bool hasTitle = false;
    for (int x = 0; x < picture.width() && !hasTitle; ++x) {
        hasTitle = picture.pixelColor(x, picture.height() / 2).lightness() > 200;
    }
    EXPECT_TRUE(hasTitle);
}

INSTANTIATE_TEST_SUITE_P(Appearances, SettingsAccentButtonTest,
                         ::testing::Values(AccentCase{"light", Appearance::light},
                                           AccentCase{"dark", Appearance::dark}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace tessarin
