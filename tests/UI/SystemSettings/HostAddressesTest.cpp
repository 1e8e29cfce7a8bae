// Every address the program opens on the host leads to a window a person can use: System
// Settings on the pane it names, or Mission Control.

#include "Model/Health/TessarinHealthActionHandler.h"
#include "Platform/MissionControl.h"
#include "Platform/SystemServices.h"
#include "UI/Health/TessarinHealthCheckViewController.h"
#include "UI/MenuBar/MenuBarController.h"
#include "UI/MissionControl/MissionControlMirror.h"
#include "UI/Preferences/Keyboard/KeyboardShortcutEditor.h"
#include "UI/Preferences/PreferencesTestSupport.h"
#include "UI/Preferences/Trackpad/TrackpadSettingsViewController.h"
#include "UI/SystemSettings/DesktopAndDockPaneWindow.h"
#include "UI/SystemSettings/SystemSettingsMirror.h"
#include "UI/SystemSettings/TrackpadPaneWindow.h"

#include <QApplication>
#include <QLabel>
#include <string>

namespace tessarin {
namespace {

struct AddressCase {
    std::string name;
    std::string address;
    QString control; // a control of the window that shows, by its name
    QString title;   // its title, when it is a pane
};

// A row reads as its name in the test list, not as its bytes.
void PrintTo(const AddressCase& row, std::ostream* out) {
    *out << row.name;
}

// The shown control of that name in any window of the desktop.
QWidget* shownControl(const QString& name) {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (!window->isVisible()) {
            continue;
        }
        if (window->objectName() == name) {
            return window;
        }
        if (auto* found = window->findChild<QWidget*>(name); found && found->isVisible()) {
            return found;
        }
    }
    return nullptr;
}

class HostAddressesTest : public testing::PreferencesHostTest,
                          public ::testing::WithParamInterface<AddressCase> {
protected:
    ~HostAddressesTest() override {
        host.systemSettings().closeWindow();
        host.missionControl().close();
        queue.runUntilIdle();
    }

    SystemSettingsMirror settingsMirror{host.systemSettings()};
    MissionControlMirror missionControlMirror{host.missionControl()};
};

TEST_P(HostAddressesTest, EachAddressTheProgramOpensShowsAWindow) {
    const AddressCase& c = GetParam();
    EXPECT_TRUE(host.system().openURL(c.address));
    queue.advance(MissionControl::kDefaultOpeningDelay + 0.2);
    QWidget* control = shownControl(c.control);
    ASSERT_NE(control, nullptr) << c.address;
    QWidget* window = control->window();
    EXPECT_GT(window->width(), 200);
    EXPECT_GT(window->height(), 200);
    if (!c.title.isEmpty()) {
        auto* title = window->findChild<QLabel*>(window->objectName() + ".title");
        ASSERT_NE(title, nullptr);
        EXPECT_EQ(title->text(), c.title);
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, HostAddressesTest, ::testing::Values(
    AddressCase{"Accessibility", HealthSettingsAddress::accessibility,
                "systemSettings.pane.list", "Accessibility"},
    AddressCase{"ScreenRecording", HealthSettingsAddress::screenRecording,
                "systemSettings.pane.list", "Screen Recording"},
    AddressCase{"DesktopAndDock", HealthSettingsAddress::desktopAndDock,
                DesktopAndDockPaneWindow::separateSpacesSwitchName, "Desktop & Dock"},
    AddressCase{"KeyboardShortcutsFromTheKeyboardPage", KeyboardShortcutEditor::keyboardShortcutsURL,
                "systemSettings.keyboardShortcuts.list", "Keyboard Shortcuts"},
    AddressCase{"KeyboardShortcutsFromTheSetup",
                TessarinHealthCheckViewController::keyboardShortcutsAddress,
                "systemSettings.keyboardShortcuts.list", "Keyboard Shortcuts"},
    AddressCase{"Trackpad", TrackpadSettingsViewController::trackpadSettingsURL,
                TrackpadPaneWindow::popUpName(TrackpadGesture::threeFingerDrag), "Trackpad"},
    AddressCase{"MissionControl", MenuBarController::missionControlURL,
                "missionControl.view", ""}),
    [](const auto& info) { return info.param.name; });
// clang-format on

} // namespace
} // namespace tessarin
