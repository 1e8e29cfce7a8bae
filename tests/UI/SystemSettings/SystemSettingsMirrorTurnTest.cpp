// What the mirror of System Settings does with the changes of one turn: the window is brought
// front when the pane was opened in that turn, whatever came after it, and a change that leaves
// the pane as it was keeps the controls a person may be using.

#include "Platform/Privacy/PrivacyDatabase.h"
#include "Platform/Program/ProgramBundle.h"
#include "UI/Preferences/Kit/SettingsCheckBox.h"
#include "UI/Preferences/Kit/SettingsSwitch.h"
#include "UI/Preferences/PreferencesTestSupport.h"
#include "UI/SystemSettings/DesktopAndDockPaneWindow.h"
#include "UI/SystemSettings/KeyboardShortcutsPaneWindow.h"
#include "UI/SystemSettings/PrivacyPaneWindow.h"
#include "UI/SystemSettings/RaiseRecorder.h"
#include "UI/SystemSettings/SystemSettingsMirror.h"

#include <QApplication>
#include <QGuiApplication>
#include <QPointer>
#include <QWindow>
#include <algorithm>
#include <functional>
#include <vector>

namespace tessarin {
namespace {

constexpr const char* kAccessibilityPane =
    "x-apple.systempreferences:com.apple.preference.security?Privacy_Accessibility";
constexpr const char* kKeyboardShortcutsPane =
    "x-apple.systempreferences:com.apple.Keyboard-Settings.extension?KeyboardShortcuts";
constexpr const char* kDesktopAndDockPane =
    "x-apple.systempreferences:com.apple.Desktop-Settings.extension";
constexpr int kMissionControl = 32;

using testing::RaiseRecorder;

// The default desktop with System Settings mirrored as the program mirrors it, and a window of
// the program's own that a person works in.
class SystemSettingsMirrorTurnTest : public testing::PreferencesHostTest {
protected:
    SystemSettingsMirrorTurnTest() {
        // The program is listed in the Accessibility pane, so the pane has a switch.
        host.privacy().setDecision(PrivacyService::accessibility, program(), false);
        programWindow.setObjectName(QStringLiteral("program.window"));
        programWindow.setGeometry(100, 100, 300, 200);
        programWindow.show();
    }

    std::string program() { return host.programBundle().resolvedIdentifier(); }
    SystemSettings& settings() { return host.systemSettings(); }
    void nextTurn() {
        queue.advance(0.05);
        QCoreApplication::processEvents();
    }
    // The focus goes to the program's window, which comes in front of System Settings.
    void workInTheProgram() {
        programWindow.raise();
        programWindow.activateWindow();
        QCoreApplication::processEvents();
        ASSERT_EQ(QGuiApplication::focusWindow(), programWindow.windowHandle());
    }

    QWidget programWindow;
    SystemSettingsMirror mirror{host.systemSettings()};
};

struct ChangeCase {
    const char* name;
    const char* pane;
    std::function<void(Host&)> change;
};

std::ostream& operator<<(std::ostream& out, const ChangeCase& c) {
    return out << c.name;
}

class ChangeAfterOpeningTest : public SystemSettingsMirrorTurnTest,
                               public ::testing::WithParamInterface<ChangeCase> {};

// Opening a pane brings System Settings front even when another change to it follows in the
// same turn: that change must not take back the opening's request.
TEST_P(ChangeAfterOpeningTest, APaneOpenedAndChangedInOneTurnIsStillBroughtFront) {
    ASSERT_TRUE(settings().open(GetParam().pane));
    nextTurn();
    SystemSettingsPaneWindow* pane = mirror.window();
    ASSERT_NE(pane, nullptr);
    workInTheProgram();

    RaiseRecorder recorder;
    ASSERT_TRUE(settings().open(GetParam().pane));
    GetParam().change(host);
    nextTurn();

    ASSERT_EQ(mirror.window(), pane);
    EXPECT_TRUE(std::ranges::count(recorder.raised, pane) > 0) << "System Settings was raised";
    EXPECT_EQ(QGuiApplication::focusWindow(), pane->windowHandle())
        << "System Settings has the focus";
}

INSTANTIATE_TEST_SUITE_P(
    Changes, ChangeAfterOpeningTest,
    ::testing::Values(
        ChangeCase{"WindowMoved", kAccessibilityPane,
                   [](Host& host) {
                       host.systemSettings().moveWindow(Rect{40, 60, 715, 620});
                   }},
        ChangeCase{"ProgramAllowed", kAccessibilityPane,
                   [](Host& host) {
                       host.privacy().setDecision(PrivacyService::accessibility,
                                                  host.programBundle().resolvedIdentifier(), true);
                   }},
        ChangeCase{"ShortcutTurnedOff", kKeyboardShortcutsPane,
                   [](Host& host) {
                       host.systemSettings().keyboardShortcutsPane().setEnabled(kMissionControl,
                                                                                false);
                   }},
        ChangeCase{"SpacesSwitchFlipped", kDesktopAndDockPane,
                   [](Host& host) {
                       host.systemSettings().desktopAndDockPane().setAutomaticallyRearrangesSpaces(
                           false);
                   }}),
    [](const auto& info) { return std::string(info.param.name); });

struct PaneCase {
    const char* name;
    const char* pane;
    // A control the pane shows, named after the program's bundle where it lists programs.
    QString (*control)(const std::string& program);
};

std::ostream& operator<<(std::ostream& out, const PaneCase& c) {
    return out << c.name;
}

class UnchangedPaneTest : public SystemSettingsMirrorTurnTest,
                          public ::testing::WithParamInterface<PaneCase> {};

// Whatever reaches the mirror without changing what a pane shows (the window moved, opened again
// on the same pane, a decision of another service) leaves its controls as they are: a control a
// person is pressing or has focused is not swapped for a copy under the pointer.
TEST_P(UnchangedPaneTest, AnUpdateThatChangesNothingKeepsThePanesControls) {
    ASSERT_TRUE(settings().open(GetParam().pane));
    nextTurn();
    ASSERT_NE(mirror.window(), nullptr);
    const QString name = GetParam().control(program());
    QPointer<QWidget> control = mirror.window()->findChild<QWidget*>(name);
    ASSERT_FALSE(control.isNull()) << name.toStdString();

    const std::vector<std::pair<const char*, std::function<void()>>> changes = {
        {"moved",
         [&] {
             settings().moveWindow(Rect{40, 60, 715, 620});
         }},
        {"opened again", [&] { settings().open(GetParam().pane); }},
        {"another service's decision",
         [&] {
             host.privacy().setDecision(PrivacyService::screenCapture, "com.example.Recorder",
                                        true);
         }},
    };
    for (const auto& [what, change] : changes) {
        change();
        nextTurn();
        testing::flushDeferredDeletes();
        ASSERT_FALSE(control.isNull()) << what << ": the control was made again";
        EXPECT_EQ(mirror.window()->findChild<QWidget*>(name), control.data()) << what;
        EXPECT_TRUE(control->isVisible()) << what;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Panes, UnchangedPaneTest,
    ::testing::Values(PaneCase{"Privacy", kAccessibilityPane, &PrivacyPaneWindow::switchName},
                      PaneCase{"KeyboardShortcuts", kKeyboardShortcutsPane,
                               [](const std::string&) {
                                   return KeyboardShortcutsPaneWindow::checkBoxName(
                                       kMissionControl);
                               }},
                      PaneCase{"DesktopAndDock", kDesktopAndDockPane,
                               [](const std::string&) {
                                   return QString::fromLatin1(
                                       DesktopAndDockPaneWindow::autoRearrangeSwitchName);
                               }}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace tessarin
