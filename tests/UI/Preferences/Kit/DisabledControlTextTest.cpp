// A control's text must read over all of the face it is drawn on, in either appearance: enabled
// at least 4.5 : 1 (its 12 px text is not large); disabled, dimmed so a person sees the control
// cannot be used, still 3 : 1 and plainly weaker than the same text enabled.

#include "UI/Preferences/Kit/ColourContrast.h"
#include "UI/Preferences/Kit/SettingsAccentButton.h"
#include "UI/Preferences/Kit/SettingsCardView.h"
#include "UI/Preferences/Kit/SettingsCheckBox.h"
#include "UI/Preferences/Kit/SettingsPageLayout.h"
#include "UI/Preferences/Kit/SettingsPopUpButton.h"
#include "UI/Preferences/Kit/SettingsRowView.h"
#include "UI/Preferences/Kit/SettingsSegmentedControl.h"
#include "UI/Preferences/PreferencesTestSupport.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

namespace tessarin {
namespace {

namespace L = SettingsPageLayout;

constexpr double disabledTextContrast = 3.0;
// How much more an enabled control's text stands out than the same text disabled, so a person
// tells them apart (a dark button's enabled title stands out only 4.6 : 1).
constexpr double enabledOverDisabled = 1.4;

using testing::contrast;

// A control of one kind showing `text`, as the program shows it: in a window of the kit's
// palette, on a card where the kind stands in rows. Returns the control to disable.
using Maker = std::function<QWidget*(QWidget& window, const QString& text)>;

QWidget* onCard(QWidget& window, QWidget* row) {
    auto* card = new SettingsCardView({row});
    window.layout()->addWidget(card);
    return row;
}

struct KindCase {
    const char* name;
    Maker make;
};

const KindCase kinds[] = {
    {"PushButton",
     [](QWidget& window, const QString& text) {
         auto* button = new QPushButton(text);
         window.layout()->addWidget(button);
         return button;
     }},
    {"DefaultButton",
     [](QWidget& window, const QString& text) {
         auto* button = new QPushButton(text);
         button->setDefault(true);
         window.layout()->addWidget(button);
         return button;
     }},
    {"AccentButton",
     [](QWidget& window, const QString& text) {
         auto* button = new QPushButton(text);
         SettingsAccentButton::apply(*button, L::effectiveAppearance());
         window.layout()->addWidget(button);
         return button;
     }},
    {"PopUp",
     [](QWidget& window, const QString& text) {
         auto* popUp = new SettingsPopUpButton;
         popUp->addItem(text);
         window.layout()->addWidget(popUp);
         return popUp;
     }},
    {"UnselectedSegment",
     [](QWidget& window, const QString& text) -> QWidget* {
         auto* segments = new SettingsSegmentedControl({QStringLiteral("On"), text});
         segments->setSelectOneTracking();
         segments->setSelectedSegment(0);
         for (int index = 0; index < segments->segmentCount(); ++index) {
             segments->segment(index)->setFixedWidth(110); // the chosen one stays where it is
         }
         window.layout()->addWidget(segments);
         return segments;
     }},
    {"TextField",
     [](QWidget& window, const QString& text) {
         auto* field = new QLineEdit(text);
         L::applyTextFieldColors(*field, L::effectiveAppearance());
         window.layout()->addWidget(field);
         return field;
     }},
    {"CheckBoxOnCard",
     [](QWidget& window, const QString& text) {
         auto* box = new SettingsCheckBox;
         box->setText(text);
         return onCard(window, box);
     }},
    {"RowTitleOnCard",
     [](QWidget& window, const QString& text) -> QWidget* {
         auto* row = new SettingsRowView(text, std::nullopt, new QLabel);
         onCard(window, row);
         return row;
     }},
};

void disable(QWidget& control) {
    if (auto* row = qobject_cast<SettingsRowView*>(&control)) {
        row->applyEnabledState(false);
    } else {
        control.setEnabled(false);
    }
}

struct TextCase {
    const KindCase* kind;
    Appearance appearance;
};

void PrintTo(const TextCase& c, std::ostream* out) {
    *out << c.kind->name << (c.appearance == Appearance::dark ? " dark" : " light");
}

class DisabledControlTextTest : public testing::PreferencesHostTest,
                                public ::testing::WithParamInterface<TextCase> {
protected:
    // The window with the control showing `text`, drawn.
    QImage drawn(const QString& text, bool enabled) {
        QWidget window;
        window.setAutoFillBackground(true);
        window.setPalette(L::controlPalette(L::effectiveAppearance()));
        auto* layout = new QVBoxLayout(&window);
        layout->setContentsMargins(16, 16, 16, 16);
        QWidget* control = GetParam().kind->make(window, text);
        if (!enabled) {
            disable(*control);
        }
        window.setFixedSize(320, 120);
        window.show();
        QCoreApplication::processEvents();
        return window.grab().toImage().convertToFormat(QImage::Format_RGB32);
    }

    // How strongly the control's text stands out from what it is drawn on: each pixel the text
    // changes against the same pixel drawn without it; the contrast the strongest few reach, so a
    // stray pixel of antialiasing does not count.
    double textInk(bool enabled) {
        const QImage with = drawn(QStringLiteral("HELLE TILE"), enabled);
        const QImage without = drawn(QStringLiteral("          "), enabled);
        EXPECT_EQ(with.size(), without.size());
        std::vector<double> contrasts;
        for (int y = 0; y < with.height(); ++y) {
            for (int x = 0; x < with.width(); ++x) {
                if (with.pixel(x, y) != without.pixel(x, y)) {
                    contrasts.push_back(contrast(with.pixelColor(x, y), without.pixelColor(x, y)));
                }
            }
        }
        constexpr std::size_t strongest = 4;
        if (contrasts.size() < strongest) {
            ADD_FAILURE() << "the text is not drawn";
            return 1;
        }
        std::nth_element(contrasts.begin(), contrasts.begin() + (strongest - 1), contrasts.end(),
                         std::greater<>());
        return contrasts[strongest - 1];
    }

    // The text's own colour (the ink of its strongest pixels) against the lightest or darkest
    // part of the face behind it, whichever it stands out from least: a face drawn in a
    // gradient must let the text read at its faintest end too.
    double weakestTextContrast() {
        const QImage with = drawn(QStringLiteral("HELLE TILE"), true);
        const QImage without = drawn(QStringLiteral("          "), true);
        QRect behind;
        QColor ink;
        double strongest = 0;
        for (int y = 0; y < with.height(); ++y) {
            for (int x = 0; x < with.width(); ++x) {
                if (with.pixel(x, y) == without.pixel(x, y)) {
                    continue;
                }
                behind |= QRect(x, y, 1, 1);
                const double ratio = contrast(with.pixelColor(x, y), without.pixelColor(x, y));
                if (ratio > strongest) {
                    strongest = ratio;
                    ink = with.pixelColor(x, y);
                }
            }
        }
        if (behind.isEmpty()) {
            ADD_FAILURE() << "the text is not drawn";
            return 1;
        }
        double weakest = 21;
        for (int y = behind.top(); y <= behind.bottom(); ++y) {
            for (int x = behind.left(); x <= behind.right(); ++x) {
                const double ratio = contrast(ink, without.pixelColor(x, y));
                // A pixel of the ink's own colour is text too (a field's caret), not face.
                if (ratio > 1.2) {
                    weakest = std::min(weakest, ratio);
                }
            }
        }
        return weakest;
    }
};

TEST_P(DisabledControlTextTest, EnabledTextReadsAtFourAndAHalfToOneOverAllOfItsFace) {
    setAppearance(GetParam().appearance);
    EXPECT_GE(weakestTextContrast(), 4.5);
}

TEST_P(DisabledControlTextTest, DisabledTextReadsAtThreeToOneAndStaysDimmerThanEnabled) {
    setAppearance(GetParam().appearance);
    const double disabled = textInk(false);
    const double enabled = textInk(true);
    EXPECT_GE(disabled, disabledTextContrast);
    EXPECT_GE(enabled, disabled * enabledOverDisabled)
        << "disabled " << disabled << " : 1 is not told apart from enabled " << enabled << " : 1";
}

std::vector<TextCase> textCases() {
    std::vector<TextCase> cases;
    for (const KindCase& kind : kinds) {
        for (const Appearance appearance : {Appearance::light, Appearance::dark}) {
            cases.push_back({&kind, appearance});
        }
    }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(KindsAndAppearances, DisabledControlTextTest,
                         ::testing::ValuesIn(textCases()), [](const auto& info) {
                             return std::string(info.param.kind->name) +
                                    (info.param.appearance == Appearance::dark ? "Dark" : "Light");
                         });

// The colour itself, over every background disabled text is drawn on: the window, a card, an
// editable field's box and a standard button's bezel, each as it is drawn disabled.
TEST(DisabledControlTextColourTest, ReadsAtThreeToOneOverEveryBackgroundOfEitherAppearance) {
    for (const Appearance appearance : {Appearance::light, Appearance::dark}) {
        const QPalette palette = L::controlPalette(appearance);
        const QColor text = L::resolvedColor(SettingsSystemColor::disabledControlText, appearance);
        const struct {
            const char* name;
            QColor background;
        } backgrounds[] = {
            {"window", L::resolvedColor(SettingsSystemColor::windowBackground, appearance)},
            {"card", L::cardBackgroundColor(appearance)},
            {"field", palette.color(QPalette::Disabled, QPalette::Base)},
            {"button", palette.color(QPalette::Disabled, QPalette::Button)},
        };
        for (const auto& [name, background] : backgrounds) {
            const float alpha = text.alphaF();
            const QColor over =
                QColor::fromRgbF(text.redF() * alpha + background.redF() * (1 - alpha),
                                 text.greenF() * alpha + background.greenF() * (1 - alpha),
                                 text.blueF() * alpha + background.blueF() * (1 - alpha));
            EXPECT_GE(contrast(over, background), disabledTextContrast)
                << name << (appearance == Appearance::dark ? " dark" : " light");
        }
    }
}

} // namespace
} // namespace tessarin
