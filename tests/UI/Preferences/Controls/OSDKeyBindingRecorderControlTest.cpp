#include "UI/Preferences/Controls/OSDKeyBindingRecorderControl.h"

#include "Platform/SystemServices.h"
#include "UI/Preferences/Kit/PreferencesPanel.h"
#include "UI/Preferences/PreferencesTestSupport.h"

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

namespace tessarin {
namespace {

class OSDKeyBindingRecorderControlTest : public testing::PreferencesHostTest {
protected:
    OSDKeyBindingRecorderControlTest() {
        auto* layout = new QVBoxLayout(&sheet);
        layout->addWidget(control);
        layout->addWidget(field);
        auto* done = new QPushButton("Done");
        done->setDefault(true);
        layout->addWidget(done);
        QObject::connect(done, &QPushButton::clicked, &sheet, &QDialog::accept);
        control->onRecordingComplete = [this](const OSDKeyBinding& b) { recorded.push_back(b); };
        sheet.show();
        QApplication::setActiveWindow(&sheet); // focus changes reach only the active window
    }
    int beeps() { return host.system().beepCount(); }

    QDialog sheet;
    OSDKeyBindingRecorderControl* control = new OSDKeyBindingRecorderControl(
        OSDKeyBindingAction::select, OSDKeyBinding::defaultBinding(OSDKeyBindingAction::select),
        QRect(0, 0, 150, 22));
    QLineEdit* field = new QLineEdit;
    std::vector<OSDKeyBinding> recorded;
};

TEST_F(OSDKeyBindingRecorderControlTest, RecordsPlainKeysAndBeepsAtHeldModifiers) {
    struct Case {
        const char* name;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        std::optional<OSDKeyBinding> expected;
    };
    // clang-format off
    const Case cases[] = {
        {"letter", Qt::Key_J, Qt::NoModifier, OSDKeyBinding{38, 0, "J"}},
        {"functionKey", Qt::Key_F5, Qt::NoModifier, OSDKeyBinding{96, 0, "F5"}},
        {"keypadEnterIsReturn", Qt::Key_Enter, Qt::KeypadModifier, OSDKeyBinding{36, 0, "↩"}},
        {"escape", Qt::Key_Escape, Qt::NoModifier, OSDKeyBinding{53, 0, "Esc"}},
        {"returnNotTheDefaultButton", Qt::Key_Return, Qt::NoModifier, OSDKeyBinding{36, 0, "↩"}},
        {"shift", Qt::Key_J, Qt::ShiftModifier, std::nullopt},
        {"hostCommand", Qt::Key_J, Qt::ControlModifier, std::nullopt},
        {"hostControl", Qt::Key_J, Qt::MetaModifier, std::nullopt},
        {"option", Qt::Key_J, Qt::AltModifier, std::nullopt}};
    // clang-format on
    for (const Case& c : cases) {
        recorded.clear();
        const int beepsBefore = beeps();
        QTest::mouseClick(control, Qt::LeftButton);
        ASSERT_TRUE(control->isRecording()) << c.name;
        EXPECT_EQ(control->displayText(), "Press key...") << c.name;
        QTest::keyClick(control, c.key, c.modifiers);
        EXPECT_EQ(control->isRecording(), !c.expected) << c.name;
        EXPECT_EQ(beeps() - beepsBefore, c.expected ? 0 : 1) << c.name;
        if (c.expected) {
            ASSERT_EQ(recorded.size(), 1u) << c.name;
            EXPECT_EQ(recorded.front(), *c.expected) << c.name;
            EXPECT_EQ(control->currentBinding(), *c.expected) << c.name;
        }
        EXPECT_TRUE(sheet.isVisible()) << c.name; // neither Escape nor Return closed it
        control->applySettingsEnabledState(false);
        control->applySettingsEnabledState(true);
    }
}

TEST_F(OSDKeyBindingRecorderControlTest,
       FocusElsewhereOrDisablingStopsAndADisabledOneIgnoresClicks) {
    QTest::mouseClick(control, Qt::LeftButton);
    field->setFocus(Qt::TabFocusReason);
    EXPECT_FALSE(control->isRecording());

    QTest::mouseClick(control, Qt::LeftButton);
    control->applySettingsEnabledState(false);
    EXPECT_FALSE(control->isRecording());
    EXPECT_EQ(control->alphaValue(), 0.5);
    QTest::mouseClick(control, Qt::LeftButton);
    EXPECT_FALSE(control->isRecording());
    EXPECT_EQ(control->displayText(), "↩");
}

TEST_F(OSDKeyBindingRecorderControlTest, TextWiderThanTheControlIsCutSixPointsFromEachEdge) {
    control->setFixedSize(150, 22);
    control->setCurrentBinding(OSDKeyBinding{0, 0, std::string(60, 'W')});
    const QRectF wide = control->textRect();
    EXPECT_EQ(wide.left(), 6);
    EXPECT_EQ(wide.width(), 138);
    control->setCurrentBinding(OSDKeyBinding{0, 0, "A"});
    EXPECT_NEAR(control->textRect().center().x(), 75, 0.5);
}

} // namespace
} // namespace tessarin
