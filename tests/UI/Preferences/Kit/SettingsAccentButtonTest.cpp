#include "UI/Preferences/Kit/SettingsAccentButton.h"

#include "UI/Preferences/PreferencesTestSupport.h"

#include <QPushButton>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

namespace tessarin {
namespace {

double luminance(const QColor& colour) {
    const auto linear = [](double channel) {
        return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
           0.0722 * linear(colour.blueF());
}

double contrast(const QColor& a, const QColor& b) {
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

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
