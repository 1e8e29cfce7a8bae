#include "UI/MenuBar/MainMenuKeyEquivalents.h"

#include "Platform/Input/EventSystem.h"
#include "Platform/MachineInput/MachineKeyboardFeed.h"
#include "Platform/Program/ProgramActivation.h"
#include "Platform/SystemServices.h"
#include "UI/MenuBar/MenuBarController.h"
#include "UI/MenuBar/StatusBarMirror.h"
#include "UI/Preferences/About/OpenSourceLicensesWindowController.h"
#include "UI/Preferences/Controls/OSDKeyBindingRecorderControl.h"
#include "UI/Preferences/Kit/PreferencesPanel.h"
#include "UI/Preferences/Kit/SettingsPageViewController.h"
#include "UI/Preferences/PreferencesTestSupport.h"
#include "UI/Preferences/Window/PreferencesWindowController.h"

#include <QCloseEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

namespace tessarin {
namespace {

// A window of the program whose text field has the keys and holds "ab", with a key recorder;
// it may refuse to close, as the health window does on a required step.
class ProgramWindow : public QWidget {
public:
    ProgramWindow() {
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(field);
        layout->addWidget(recorder);
        show();
        QApplication::setActiveWindow(this);
        QTest::keyClicks(field, "ab");
    }
    bool refusesToClose = false;
    QLineEdit* field = new QLineEdit;
    OSDKeyBindingRecorderControl* recorder = new OSDKeyBindingRecorderControl(
        OSDKeyBindingAction::select, OSDKeyBinding::defaultBinding(OSDKeyBindingAction::select),
        QRect(0, 0, 150, 22));

protected:
    void closeEvent(QCloseEvent* event) override { event->setAccepted(!refusesToClose); }
};

class MainMenuKeyEquivalentsTest : public testing::PreferencesHostTest {
protected:
    bool othersHidden() {
        const auto& applications = host.system().runningApplications();
        return std::all_of(applications.begin(), applications.end(), [this](const auto& app) {
            return host.system().isApplicationHidden(app.processIdentifier);
        });
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
        bool windowShown, programActive, othersHidden;
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

// The status item's stand-in on the desktop is the host's, and stays.
TEST_F(MainMenuKeyEquivalentsTest, HiddenWindowsComeBackWhenTheProgramIsActiveAgain) {
    StatusBarMirror mirror(host.statusBar());
    MenuBarController statusItem;
    statusItem.setup();
    queue.runUntilIdle();
    ProgramWindow window;
    QTest::keyClick(window.field, Qt::Key_H, Qt::ControlModifier);
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(mirror.isShowing());
    host.programActivation().activate();
    EXPECT_TRUE(window.isVisible());
}

TEST_F(MainMenuKeyEquivalentsTest, ARecorderThatRecordsKeepsTheKeys) {
    ProgramWindow window;
    QTest::mouseClick(window.recorder, Qt::LeftButton);
    QTest::keyClick(window.recorder, Qt::Key_W, Qt::ControlModifier);
    EXPECT_TRUE(window.isVisible());
}

TEST_F(MainMenuKeyEquivalentsTest, CloseWindowBeepsForAWindowWithoutACloseButton) {
    ProgramWindow window;
    window.setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
    window.show();
    QTest::keyClick(window.field, Qt::Key_W, Qt::ControlModifier);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(host.system().beepCount(), 1);
}

// The settings and licences windows have a close button: Close Window closes each, silently.
TEST_F(MainMenuKeyEquivalentsTest, CloseWindowClosesTheWindowsThatHaveACloseButton) {
    PreferencesWindowController settings(
        nullptr, [](PreferencesPage) { return std::make_unique<SettingsPageViewController>(); });
    OpenSourceLicensesWindowController licences(QStringLiteral("Licence text"));
    const std::pair<const char*, QWidget*> windows[] = {{"settings", settings.window()},
                                                        {"licences", licences.window()}};
    for (const auto& [name, window] : windows) {
        SCOPED_TRACE(name);
        window->show();
        QApplication::setActiveWindow(window);
        QWidget* keys = window->focusWidget() != nullptr ? window->focusWidget() : window;
        QTest::keyClick(keys, Qt::Key_W, Qt::ControlModifier);
        EXPECT_FALSE(window->isVisible());
    }
    EXPECT_EQ(host.system().beepCount(), 0);
}

// "Show All" from a window opened while the program was hidden brings back the windows hiding
// took away, as well as the other programs.
TEST_F(MainMenuKeyEquivalentsTest, ShowAllBringsBackTheProgramsHiddenWindows) {
    MainMenu menu = TessarinMainMenuFactory::makeMainMenu("openPreferences:");
    for (MainMenuItem& item : menu.items.front().submenu) {
        if (item.action == "unhideAllApplications:") {
            item.keyEquivalent = "j"; // the item has no key of its own
        }
    }
    MainMenuKeyEquivalents withShowAllKey(menu, [](const std::string&) {});
    ProgramWindow hidden;
    QTest::keyClick(hidden.field, Qt::Key_H, Qt::ControlModifier | Qt::AltModifier);
    ASSERT_TRUE(othersHidden());
    QTest::keyClick(hidden.field, Qt::Key_H, Qt::ControlModifier);
    ASSERT_FALSE(hidden.isVisible());
    ProgramWindow opened; // shown without the program becoming active
    ASSERT_FALSE(host.programActivation().isActive());
    QTest::keyClick(opened.field, Qt::Key_J, Qt::ControlModifier);
    EXPECT_TRUE(hidden.isVisible());
    EXPECT_TRUE(opened.isVisible());
    EXPECT_FALSE(othersHidden());
}

// At quit the key equivalents go before the host: an activation afterwards reaches nothing of
// theirs (the sanitizer watches).
TEST_F(MainMenuKeyEquivalentsTest, AnActivationAfterTheKeyEquivalentsAreGoneReachesNothing) {
    auto keys = std::make_unique<MainMenuKeyEquivalents>(
        TessarinMainMenuFactory::makeMainMenu("openPreferences:"), [](const std::string&) {});
    ProgramWindow window;
    QTest::keyClick(window.field, Qt::Key_H, Qt::ControlModifier);
    ASSERT_FALSE(window.isVisible());
    keys.reset();
    host.programActivation().activate();
    EXPECT_TRUE(host.programActivation().isActive());
}

// Only a failing test waits: a run the key did not end is ended after a second.
TEST_F(MainMenuKeyEquivalentsTest, QuitEndsTheRunEvenWhileAWindowRefusesToClose) {
    ProgramWindow window;
    window.refusesToClose = true;
    QTimer::singleShot(0, [&] { QTest::keyClick(window.field, Qt::Key_Q, Qt::ControlModifier); });
    QTimer::singleShot(1000, [] { QCoreApplication::exit(99); });
    EXPECT_EQ(QCoreApplication::exec(), 0);
}

// In the program the keys reach the menu through the host's session: the feed is made after the
// menu, so the menu sees a key only once the host delivered it.
class MainMenuKeysThroughTheHostTest : public MainMenuKeyEquivalentsTest {
protected:
    MachineInputSession session{host.events()};
    MachineKeyboardFeed feed{session};
};

TEST_F(MainMenuKeysThroughTheHostTest, AKeyEquivalentActsOnceTheHostDeliversIt) {
    ProgramWindow window;
    queue.runUntilIdle();
    QTest::keyClick(window.field, Qt::Key_W, Qt::ControlModifier);
    EXPECT_TRUE(window.isVisible()) << "still on its way through the session";
    queue.runUntilIdle();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.field->text(), "ab");
}

TEST_F(MainMenuKeysThroughTheHostTest, ARecorderThatRecordsStillKeepsTheKeys) {
    ProgramWindow window;
    queue.runUntilIdle();
    QTest::mouseClick(window.recorder, Qt::LeftButton);
    QTest::keyClick(window.recorder, Qt::Key_W, Qt::ControlModifier);
    queue.runUntilIdle();
    EXPECT_TRUE(window.isVisible());
}

} // namespace
} // namespace tessarin
