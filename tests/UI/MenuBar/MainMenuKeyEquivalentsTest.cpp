#include "UI/MenuBar/MainMenuKeyEquivalents.h"

#include "Platform/Program/ProgramActivation.h"
#include "Platform/SystemServices.h"
#include "UI/Preferences/Controls/OSDKeyBindingRecorderControl.h"
#include "UI/Preferences/PreferencesTestSupport.h"

#include <QCloseEvent>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

namespace tessarin {
namespace {

// A window of the program with a text field (which has the keys) and a key recorder; its close
// may be refused, as the health window's on a required step.
class ProgramWindow : public QWidget {
public:
    ProgramWindow() {
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(field);
        layout->addWidget(recorder);
        show();
        QApplication::setActiveWindow(this);
        field->setFocus();
        QTest::keyClicks(field, "ab");
    }
    bool refusesToClose = false;
    QLineEdit* field = new QLineEdit;
    OSDKeyBindingRecorderControl* recorder = new OSDKeyBindingRecorderControl(
        OSDKeyBindingAction::select, OSDKeyBinding::defaultBinding(OSDKeyBindingAction::select),
        QRect(0, 0, 150, 22));

protected:
    void closeEvent(QCloseEvent* event) override {
        refusesToClose ? event->ignore() : event->accept();
    }
};

class MainMenuKeyEquivalentsTest : public testing::PreferencesHostTest {
protected:
    bool othersHidden() {
        for (const RunningApplication& application : host.system().runningApplications()) {
            if (!host.system().isApplicationHidden(application.processIdentifier)) {
                return false;
            }
        }
        return true;
    }

    std::vector<std::string> sent;
    MainMenuKeyEquivalents keyEquivalents{
        TessarinMainMenuFactory::makeMainMenu("openPreferences:"),
        [this](const std::string& action) { sent.push_back(action); }};
};

TEST_F(MainMenuKeyEquivalentsTest, TheMenusKeysActWhileAWindowOfTheProgramHasThem) {
    struct Case {
        const char* name;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers; // Qt's Control is the host's Command
        std::vector<std::string> sent;
        bool windowShown;
        bool programActive;
        bool othersHidden;
        const char* fieldText;
    };
    const auto command = Qt::ControlModifier;
    // clang-format off
    const Case cases[] = {
        {"Settings", Qt::Key_Comma, command, {"openPreferences:"}, true, true, false, "ab"},
        {"Hide Tessarin", Qt::Key_H, command, {}, false, false, false, "ab"},
        {"Hide Others", Qt::Key_H, command | Qt::AltModifier, {}, true, true, true, "ab"},
        {"Close Window", Qt::Key_W, command, {}, false, true, false, "ab"},
        {"no item for Shift-Command-H", Qt::Key_H, command | Qt::ShiftModifier, {}, true, true, false, "ab"},
        {"no item for the host's Control", Qt::Key_Comma, Qt::MetaModifier, {}, true, true, false, "ab,"},
        {"a plain key types", Qt::Key_H, Qt::NoModifier, {}, true, true, false, "abh"},
        {"undo stays with the field", Qt::Key_Z, command, {}, true, true, false, ""},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        host.programActivation().activate();
        host.system().unhideAllApplications();
        sent.clear();
        ProgramWindow window;
        QTest::keyClick(window.field, c.key, c.modifiers);
        EXPECT_EQ(sent, c.sent);
        EXPECT_EQ(window.isVisible(), c.windowShown);
        EXPECT_EQ(host.programActivation().isActive(), c.programActive);
        EXPECT_EQ(othersHidden(), c.othersHidden);
        EXPECT_EQ(window.field->text().toStdString(), c.fieldText);
    }
}

TEST_F(MainMenuKeyEquivalentsTest, HiddenWindowsComeBackWhenTheProgramIsActiveAgain) {
    ProgramWindow window;
    QTest::keyClick(window.field, Qt::Key_H, Qt::ControlModifier);
    ASSERT_FALSE(window.isVisible());
    host.programActivation().activate();
    EXPECT_TRUE(window.isVisible());
}

TEST_F(MainMenuKeyEquivalentsTest, ARecorderThatRecordsKeepsTheKeys) {
    ProgramWindow window;
    QTest::mouseClick(window.recorder, Qt::LeftButton);
    ASSERT_TRUE(window.recorder->isRecording());
    QTest::keyClick(window.recorder, Qt::Key_W, Qt::ControlModifier);
    EXPECT_TRUE(window.isVisible());
}

// Only a failing test waits: a run the key did not end is ended after a second.
TEST_F(MainMenuKeyEquivalentsTest, QuitEndsTheRunEvenWhileAWindowRefusesToClose) {
    ProgramWindow window;
    window.refusesToClose = true;
    QTimer::singleShot(
        0, [&window] { QTest::keyClick(window.field, Qt::Key_Q, Qt::ControlModifier); });
    QTimer::singleShot(1000, [] { QCoreApplication::exit(99); });
    EXPECT_EQ(QCoreApplication::exec(), 0);
}

} // namespace
} // namespace tessarin
