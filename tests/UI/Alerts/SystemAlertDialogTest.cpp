#include "UI/Alerts/SystemAlertDialog.h"

#include "UI/Preferences/Kit/ProgramStyle.h"
#include "UI/Preferences/Kit/SettingsAccentButton.h"
#include "UI/Preferences/PreferencesTestSupport.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <map>

namespace tessarin {
namespace {

using testing::PreferencesHostTest;

const SystemAlert kConflict{"Shortcut conflicts with macOS Mission Control",
                            "\u2303\u2190 is currently assigned to Move left a space.",
                            {"Use Anyway", "Open Keyboard Shortcuts", "Cancel"}};

TEST_F(PreferencesHostTest, AnAlertAnswersTheButtonPressedAndEscapeIsCancel) {
    SystemAlertDialog pressed(kConflict);
    pressed.show();
    EXPECT_EQ(pressed.findChild<QLabel*>("alert.message")->text().toStdString(),
              kConflict.messageText);
    auto* first = pressed.findChild<QPushButton*>("alert.button.0");
    auto* second = pressed.findChild<QPushButton*>("alert.button.1");
    // The first button is the default and stands rightmost.
    EXPECT_TRUE(first->isDefault());
    EXPECT_GT(first->x(), second->x());
    QTest::mouseClick(second, Qt::LeftButton);
    EXPECT_EQ(pressed.response(), AlertResponse::secondButton);

    SystemAlertDialog escaped(kConflict);
    escaped.show();
    QTest::keyClick(&escaped, Qt::Key_Escape);
    EXPECT_EQ(escaped.response(), AlertResponse::thirdButton);
}

// The colour covering most of a button's middle row, where its bezel shows beside the title.
QColor bezelOf(QPushButton& button) {
    const QImage picture = button.grab().toImage();
    std::map<QRgb, int> counts;
    for (int x = 0; x < picture.width(); ++x) {
        ++counts[picture.pixel(x, picture.height() / 2)];
    }
    return QColor(std::max_element(counts.begin(), counts.end(), [](const auto& a, const auto& b) {
                      return a.second < b.second;
                  })->first);
}

// Each title keeps clear of its button's edges, and the default button is the accent button in
// either appearance, its title white; the others are not.
TEST_F(PreferencesHostTest, AlertButtonsArePaddedAndTheDefaultIsTheAccentButton) {
    for (const Appearance appearance : {Appearance::light, Appearance::dark}) {
        SCOPED_TRACE(appearance == Appearance::dark ? "dark" : "light");
        setAppearance(appearance);
        SystemAlertDialog alert(kConflict);
        alert.show();
        QApplication::processEvents();
        for (int index = 0; index < 3; ++index) {
            auto* button =
                alert.findChild<QPushButton*>(QStringLiteral("alert.button.%1").arg(index));
            ASSERT_NE(button, nullptr);
            const int title = button->fontMetrics().horizontalAdvance(button->text());
            EXPECT_GE(button->width() - title, 2 * 10) << button->text().toStdString();
            const bool isAccent = bezelOf(*button) == SettingsAccentButton::bezelColor(appearance);
            EXPECT_EQ(isAccent, index == 0) << button->text().toStdString();
        }
        auto* first = alert.findChild<QPushButton*>("alert.button.0");
        EXPECT_EQ(ProgramStyle::buttonTitleColor(*first),
                  SettingsAccentButton::titleColor(appearance));
    }
}

} // namespace
} // namespace tessarin
