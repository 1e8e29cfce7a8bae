// What the program's style draws, read back from pictures of the controls at the places a
// person looks.

#include "UI/Preferences/Kit/ProgramStyle.h"

#include "UI/Preferences/Kit/SettingsAccentButton.h"
#include "UI/Preferences/Kit/SettingsPageLayout.h"
#include "UI/Preferences/PreferencesTestSupport.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QScrollBar>
#include <cmath>

namespace tessarin {
namespace {

namespace L = SettingsPageLayout;

// How far apart two colours lie, channel by channel.
int distance(const QColor& a, const QColor& b) {
    return std::max({std::abs(a.red() - b.red()), std::abs(a.green() - b.green()),
                     std::abs(a.blue() - b.blue())});
}

QColor over(const QColor& top, const QColor& below) {
    const float alpha = top.alphaF();
    return QColor::fromRgbF(top.redF() * alpha + below.redF() * (1 - alpha),
                            top.greenF() * alpha + below.greenF() * (1 - alpha),
                            top.blueF() * alpha + below.blueF() * (1 - alpha));
}

struct AppearanceCase {
    const char* name;
    Appearance appearance;
};

void PrintTo(const AppearanceCase& c, std::ostream* out) {
    *out << c.name;
}

const AppearanceCase appearances[] = {{"Light", Appearance::light}, {"Dark", Appearance::dark}};

class ProgramStyleTest : public testing::PreferencesHostTest,
                         public ::testing::WithParamInterface<AppearanceCase> {
protected:
    ProgramStyleTest() {
        setAppearance(GetParam().appearance);
        window.setAutoFillBackground(true);
        window.setPalette(L::controlPalette(GetParam().appearance));
        new QHBoxLayout(&window);
    }
    QColor windowColour() const {
        return L::resolvedColor(SettingsSystemColor::windowBackground, GetParam().appearance);
    }
    QImage drawn(QWidget& control) {
        window.show();
        QCoreApplication::processEvents();
        return control.grab().toImage().convertToFormat(QImage::Format_RGB32);
    }

    QWidget window;
};

// A default button that cannot be pressed keeps the accent, faded into the window, so it is told
// apart from one that can.
TEST_P(ProgramStyleTest, ADisabledDefaultButtonsBezelIsDrawnFaded) {
    auto* button = new QPushButton(QStringLiteral("Save"));
    button->setDefault(true);
    button->setFixedSize(96, 28);
    window.layout()->addWidget(button);
    // Beside the title, half way down: only the bezel lies there.
    const QPoint besideTitle(6, 14);
    const QColor bezel = SettingsAccentButton::bezelColor(GetParam().appearance);
    EXPECT_LE(distance(drawn(*button).pixelColor(besideTitle), bezel), 2) << "enabled";

    button->setEnabled(false);
    const QColor faded = drawn(*button).pixelColor(besideTitle);
    QColor expected = bezel;
    expected.setAlphaF(0.45F);
    EXPECT_LE(distance(faded, over(expected, windowColour())), 2)
        << "disabled: " << faded.name().toStdString();
    EXPECT_GE(distance(faded, bezel), 40) << "disabled: " << faded.name().toStdString();
}

struct ScrollCase {
    const char* name;
    int maximum;
    bool thumbShown;
};

// A scroll bar with nothing to scroll shows its plain track; one with something to scroll shows
// its thumb, in the middle of the track when scrolled half way.
TEST_P(ProgramStyleTest, AThumbIsDrawnOnlyWhenThereIsSomethingToScroll) {
    const ScrollCase cases[] = {
        {"nothing to scroll", 0, false},
        {"a page more than shown", 100, true},
    };
    for (const ScrollCase& c : cases) {
        auto* bar = new QScrollBar(Qt::Vertical);
        bar->setFixedSize(15, 240);
        bar->setRange(0, c.maximum);
        bar->setPageStep(100);
        bar->setValue(c.maximum / 2);
        window.layout()->addWidget(bar);
        const QImage picture = drawn(*bar);
        // The middle of the track, clear of the arrows at either end.
        const QColor middle = picture.pixelColor(picture.width() / 2, picture.height() / 2);
        const QColor track = ProgramStyle::scrollBarTrackColor();
        if (c.thumbShown) {
            EXPECT_LE(distance(middle, ProgramStyle::scrollBarThumbColor()), 2) << c.name;
        } else {
            for (int y = picture.height() / 4; y < picture.height() * 3 / 4; ++y) {
                ASSERT_LE(distance(picture.pixelColor(picture.width() / 2, y), track), 2)
                    << c.name << ", at " << y << ": "
                    << picture.pixelColor(picture.width() / 2, y).name().toStdString();
            }
        }
        delete bar;
    }
}

INSTANTIATE_TEST_SUITE_P(Appearances, ProgramStyleTest, ::testing::ValuesIn(appearances),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace tessarin
