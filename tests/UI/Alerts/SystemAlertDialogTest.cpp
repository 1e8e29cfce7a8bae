#include "UI/Alerts/SystemAlertDialog.h"

#include "UI/Preferences/PreferencesTestSupport.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

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

} // namespace
} // namespace tessarin
