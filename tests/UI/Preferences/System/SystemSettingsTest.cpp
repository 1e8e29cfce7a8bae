#include "Core/Fakes/EngineWorld.h"
#include "Model/Health/TessarinPrivacyPermissionPromptHistory.h"
#include "Model/Settings/OSDAppFilterSetting.h"
#include "Platform/LoginItems/LoginItems.h"
#include "Platform/Preferences/UserDefaults.h"
#include "Platform/Privacy/PrivacyResetTool.h"
#include "Platform/Process/ProcessLauncher.h"
#include "Platform/Program/ProgramActivation.h"
#include "Platform/StatusBar/StatusBar.h"
#include "Platform/StatusBar/StatusItem.h"
#include "UI/Preferences/Kit/PreferencesPanel.h"
#include "UI/Preferences/Kit/SettingsFooterView.h"
#include "UI/Preferences/Kit/SettingsPopUpButton.h"
#include "UI/Preferences/Kit/SettingsSheet.h"
#include "UI/Preferences/Kit/SettingsSwitch.h"
#include "UI/Preferences/PreferencesTestSupport.h"
#include "UI/Preferences/System/SystemSettingsViewController.h"
#include "UI/Preferences/System/SystemSettingsViewIdentifier.h"
#include "UI/Preferences/Window/PreferencesTabViewController.h"
#include "UI/Preferences/Window/PreferencesWindowController.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

namespace tessarin {
namespace {

namespace Id = SystemSettingsViewIdentifier;
using Status = LoginItemStatus;
using Strings = std::vector<std::string>;

class SystemSettingsTest : public testing::PreferencesHostTest {
protected:
    SystemSettingsTest() {
        page.view()->setParent(&window);
        window.show();
    }
    template <class Control> Control* control(const char* name) {
        return page.view()->findChild<Control*>(name);
    }

    QWidget window;
    SystemSettingsViewController page{host.defaults()};
};

TEST_F(SystemSettingsTest, StartAtLoginRegistersOrTurnsBackWithTheServicesReason) {
    // clang-format off
    struct Case { const char* name; Status before; LoginItemRegistration registration; Status after; const char* failure; };
    const Case cases[] = {
        {"on", Status::notRegistered, LoginItemRegistration::enables, Status::enabled, nullptr},
        {"off", Status::enabled, LoginItemRegistration::enables, Status::notRegistered, nullptr},
        {"enabling refused", Status::notRegistered, LoginItemRegistration::fails, Status::notRegistered, "Failed to enable launch at login"},
        {"disabling refused", Status::enabled, LoginItemRegistration::fails, Status::enabled, "Failed to disable launch at login"},
    };
    // clang-format on
    auto* launchAtLogin = control<SettingsSwitch>(Id::launchAtLoginControl);
    ASSERT_NE(launchAtLogin, nullptr);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        host.loginItems().setMainAppStatus(c.before);
        host.loginItems().setRegistration(c.registration, "Denied by policy");
        page.reloadLaunchAtLoginState();
        const std::size_t alerts = host.system().shownAlerts().size();
        const int beeps = host.system().beepCount();
        launchAtLogin->click();
        EXPECT_EQ(host.loginItems().mainAppStatus(), c.after);
        EXPECT_EQ(launchAtLogin->isOn(), c.after == Status::enabled);
        EXPECT_EQ(host.system().beepCount() - beeps, c.failure ? 1 : 0);
        ASSERT_EQ(host.system().shownAlerts().size() - alerts, c.failure ? 1u : 0u);
        EXPECT_TRUE(!c.failure ||
                    (host.system().shownAlerts().back() ==
                     SystemAlert{c.failure, "Denied by policy", {"OK"}, AlertStyle::warning}));
    }
}

TEST_F(SystemSettingsTest, TheLoginSwitchFollowsRegistrationsMadeWhileThePageWasAway) {
    PreferencesWindowController preferences(nullptr);
    preferences.bringWindowToFront();
    PreferencesTabViewController& tabs = preferences.tabViewController();
    tabs.selectPage(PreferencesPage::system, false);
    auto* launchAtLogin =
        tabs.currentViewController()->view()->findChild<SettingsSwitch*>(Id::launchAtLoginControl);
    ASSERT_NE(launchAtLogin, nullptr);
    EXPECT_FALSE(launchAtLogin->isOn());

    host.loginItems().setMainAppStatus(Status::enabled); // the setup wizard registered
    tabs.selectPage(PreferencesPage::about, false);
    tabs.selectPage(PreferencesPage::system, false);
    EXPECT_TRUE(launchAtLogin->isOn());

    host.programActivation().resignActive(); // off in System Settings
    host.loginItems().setMainAppStatus(Status::notRegistered);
    host.programActivation().activate();
    EXPECT_FALSE(launchAtLogin->isOn());

    host.loginItems().setMainAppStatus(Status::enabled);
    preferences.window()->hide();
    preferences.bringWindowToFront();
    EXPECT_TRUE(launchAtLogin->isOn());
}

TEST_F(SystemSettingsTest, TheOSDSwitchesWriteBothValues) {
    auto* mouse = control<SettingsSwitch>(Id::mouseSelectionControl);
    auto* shuffle = control<SettingsSwitch>(Id::shuffleRearrangingControl);
    ASSERT_TRUE(mouse && shuffle);
    EXPECT_TRUE(mouse->isOn() && !shuffle->isOn());
    for (const bool on : {false, true}) {
        mouse->click();
        shuffle->click();
        EXPECT_EQ(host.defaults().boolValue("osdAllowsMouseSelection"), on);
        EXPECT_EQ(host.defaults().boolValue("osdShuffleWhenRearranging"), !on);
    }
}

TEST_F(SystemSettingsTest, TheAppFilterSheetAddsOnReturnNormalisesAndRemoves) {
    host.defaults().set(OSDAppFilterSetting::key, PropertyArray{" Mail ", int64_t{3}});
    auto* configure = control<QPushButton>(Id::appFilterControl);
    auto* detail = control<QLabel>(Id::appFilterDetail);
    ASSERT_TRUE(configure && detail);
    configure->click();
    const AppFilterSheet& sheet = page.appFilterSheet();
    ASSERT_TRUE(sheet.sheet);
    const SettingsSheet* first = sheet.sheet;
    testing::expectStackedWithoutCrushing(
        {sheet.textField, sheet.table, sheet.removeButton, sheet.sheet->footer()});
    auto* field = sheet.sheet->findChild<QLineEdit*>(Id::appFilterTextField);
    ASSERT_NE(field, nullptr);
    for (const char* text : {"  Safari   Web ", "MAIL", "Safari  web", "   "}) {
        SCOPED_TRACE(text);
        QTest::keyClicks(field, text);
        EXPECT_EQ(sheet.addButton->isEnabled(), std::string(text) != "   ");
        QTest::keyClick(field, Qt::Key_Return);
        EXPECT_EQ(OSDAppFilterSetting::persistedEntries(host.defaults()),
                  (Strings{"Mail", "Safari Web"}));
        EXPECT_TRUE(field->text().isEmpty());
        ASSERT_TRUE(sheet.sheet);
        EXPECT_TRUE(sheet.sheet->isVisible());
    }
    auto* cell = qobject_cast<QLabel*>(sheet.table->cellWidget(1, 0));
    EXPECT_TRUE(cell && cell->objectName() == Id::appFilterCell && cell->text() == "Safari Web");

    EXPECT_FALSE(sheet.removeButton->isEnabled());
    sheet.table->selectRow(0);
    sheet.removeButton->click();
    EXPECT_EQ(page.appFilterEntries(), Strings{"Safari Web"});
    EXPECT_TRUE(sheet.selectedRow() == 0 && sheet.removeButton->isEnabled()); // moved up
    sheet.removeButton->click();
    EXPECT_FALSE(host.defaults().contains(OSDAppFilterSetting::key) ||
                 sheet.removeButton->isEnabled());
    EXPECT_EQ(detail->text(), "No apps or windows filtered.");

    QTest::keyClick(sheet.table, Qt::Key_Return); // presses Done
    EXPECT_FALSE(page.appFilterSheet().sheet);
    page.showAppFilterSheet();
    ASSERT_TRUE(page.appFilterSheet().sheet);
    EXPECT_TRUE(page.appFilterSheet().sheet != first && page.appFilterSheet().sheet->isVisible());
}

TEST_F(SystemSettingsTest, APrivacyResetAsksRunsBothServicesAndSaysHowItWent) {
    // clang-format off
    struct Case { const char* name; int answer; std::vector<ProcessRun> runs; std::size_t toolRuns; bool flagsKept; std::optional<SystemAlert> result; };
    const Case cases[] = {
        {"cancelled", AlertResponse::secondButton, {}, 0, true, std::nullopt},
        {"done", AlertResponse::firstButton, {}, 2, false, SystemAlert{"Permissions Reset", "Accessibility and Screen Recording decisions were reset. macOS may require Tessarin to restart before Screen Recording changes take effect.", {"OK"}, AlertStyle::informational}},
        {"second service fails", AlertResponse::firstButton, {{}, {std::nullopt, 70, "No such"}}, 2, true, SystemAlert{"Failed to Reset Permissions", "Failed to reset ScreenCapture: No such", {"OK"}, AlertStyle::warning}},
    };
    // clang-format on
    auto* reset = control<QPushButton>(Id::resetPermissionsControl);
    ASSERT_NE(reset, nullptr);
    const char* flag = TessarinPrivacyPermissionPromptHistory::screenRecordingAccessObservedKey;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        host.defaults().set(flag, true);
        for (const ProcessRun& run : c.runs) {
            host.processes().scriptRun(kPrivacyResetToolPath, run);
        }
        host.system().scriptAlertResponse(c.answer);
        const std::size_t launches = host.processes().launches().size();
        const std::size_t alerts = host.system().shownAlerts().size();
        const int beeps = host.system().beepCount();
        reset->click();
        EXPECT_EQ(host.processes().launches().size() - launches, c.toolRuns);
        EXPECT_EQ(host.defaults().contains(flag), c.flagsKept);
        EXPECT_EQ(host.system().beepCount() - beeps, c.flagsKept && c.toolRuns ? 1 : 0);
        const auto& shown = host.system().shownAlerts();
        ASSERT_EQ(shown.size() - alerts, c.result ? 2u : 1u);
        EXPECT_EQ(shown[alerts].messageText, "Reset Tessarin Permissions?");
        EXPECT_EQ(shown.back(), c.result.value_or(shown.back()));
    }
}

// Through the delegate's defaults observer, as in the program.
TEST(SystemSettingsStatusItem, EveryIconChoiceIsStoredAndReachesTheStatusItem) {
    testing::ensureWidgetApplication();
    fakes::World world(fakes::switchingScenario(),
                       [](AppDelegateDependencies& dependencies) { dependencies.shell = nullptr; });
    world.d().applicationDidFinishLaunching();
    world.queue.advance(1.0);
    ASSERT_EQ(world.host.statusBar().items().size(), 1u);
    const StatusBarButton* button = world.host.statusBar().items().front()->button();
    ASSERT_NE(button, nullptr);
    const std::optional<QImage> templateImage = button->image();
    SystemSettingsViewController page(world.host.defaults());
    auto* icon = page.view()->findChild<SettingsPopUpButton*>(
        SystemSettingsViewIdentifier::menuBarIconControl);
    ASSERT_NE(icon, nullptr);
    // The number, the grid picture, the template icon.
    for (const auto& [title, raw] : {std::pair{"Space Number", "spaceNumber"},
                                     {"Minigrid", "minigrid"},
                                     {"Tessarin", "tessarin"}}) {
        SCOPED_TRACE(title);
        icon->setCurrentIndex(icon->findText(title));
        Q_EMIT icon->activated(icon->currentIndex());
        world.queue.advance(0.5);
        EXPECT_EQ(world.host.defaults().stringValue("menuBarIcon"), raw);
        EXPECT_EQ(button->title(), std::string(raw) == "spaceNumber" ? "1" : "");
        EXPECT_EQ(button->image() == templateImage, std::string(raw) == "tessarin");
        EXPECT_EQ(button->image().has_value(), std::string(raw) != "spaceNumber");
    }
}

} // namespace
} // namespace tessarin
