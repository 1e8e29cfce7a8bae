#include "Core/Health/TessarinPrivacyPermissionPromptHistory.h"
#include "Platform/LoginItems/LoginItems.h"
#include "Platform/Preferences/UserDefaults.h"
#include "Platform/Privacy/PrivacyResetTool.h"
#include "Platform/Process/ProcessLauncher.h"
#include "Platform/Program/ProgramActivation.h"
#include "UI/Preferences/Kit/PreferencesPanel.h"
#include "UI/Preferences/Kit/SettingsPopUpButton.h"
#include "UI/Preferences/Kit/SettingsSwitch.h"
#include "UI/Preferences/PreferencesTestSupport.h"
#include "UI/Preferences/System/SystemSettingsViewController.h"
#include "UI/Preferences/System/SystemSettingsViewIdentifier.h"
#include "UI/Preferences/Window/PreferencesTabViewController.h"
#include "UI/Preferences/Window/PreferencesWindowController.h"
#include "UI/Settings/OSDAppFilterSetting.h"

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
    SystemSettingsViewController& page() {
        if (!page_) {
            page_ = std::make_unique<SystemSettingsViewController>(host.defaults());
            page_->view()->setParent(&window);
            window.show();
        }
        return *page_;
    }
    template <class Control> Control* control(const char* name) {
        return page().view()->findChild<Control*>(name);
    }
    std::size_t flagsLeft() {
        return std::ranges::count_if(
            TessarinPrivacyPermissionPromptHistory::allKeys,
            [&](const char* key) { return host.defaults().contains(key); });
    }

    QWidget window;
    std::unique_ptr<SystemSettingsViewController> page_;
};

TEST_F(SystemSettingsTest, StartAtLoginRegistersOrTurnsBackWithTheServicesReason) {
    struct Case {
        const char* name;
        Status before;
        LoginItemRegistration registration;
        Status after;
        const char* failure; // the alert's message, when the service refuses
    } const cases[] = {
        {"on", Status::notRegistered, LoginItemRegistration::enables, Status::enabled, nullptr},
        {"off", Status::enabled, LoginItemRegistration::enables, Status::notRegistered, nullptr},
        {"enabling refused", Status::notRegistered, LoginItemRegistration::fails,
         Status::notRegistered, "Failed to enable launch at login"},
        {"disabling refused", Status::enabled, LoginItemRegistration::fails, Status::enabled,
         "Failed to disable launch at login"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        host.loginItems().setMainAppStatus(c.before);
        host.loginItems().setRegistration(c.registration, "Denied by policy");
        auto* launchAtLogin = control<SettingsSwitch>(Id::launchAtLoginControl);
        ASSERT_NE(launchAtLogin, nullptr);
        page().reloadLaunchAtLoginState();
        const std::size_t alerts = host.system().shownAlerts().size();
        const int beeps = host.system().beepCount();
        launchAtLogin->click();
        EXPECT_EQ(host.loginItems().mainAppStatus(), c.after);
        EXPECT_EQ(launchAtLogin->isOn(), c.after == Status::enabled);
        EXPECT_EQ(host.system().beepCount() - beeps, c.failure ? 1 : 0);
        ASSERT_EQ(host.system().shownAlerts().size() - alerts, c.failure ? 1u : 0u);
        if (c.failure) {
            EXPECT_EQ(host.system().shownAlerts().back(),
                      (SystemAlert{c.failure, "Denied by policy", {"OK"}, AlertStyle::warning}));
        }
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

TEST_F(SystemSettingsTest, EveryChoiceIsStoredAndReadBack) {
    host.defaults().set("osdAllowsMouseSelection", false);
    host.defaults().set("osdShuffleWhenRearranging", true);
    auto* icon = control<SettingsPopUpButton>(Id::menuBarIconControl);
    auto* mouse = control<SettingsSwitch>(Id::mouseSelectionControl);
    auto* shuffle = control<SettingsSwitch>(Id::shuffleRearrangingControl);
    ASSERT_TRUE(icon && mouse && shuffle);
    EXPECT_EQ(icon->currentText(), "Tessarin");
    EXPECT_FALSE(mouse->isOn());
    EXPECT_TRUE(shuffle->isOn());
    const std::pair<const char*, const char*> icons[] = {
        {"Space Number", "spaceNumber"}, {"Minigrid", "minigrid"}, {"Tessarin", "tessarin"}};
    for (const auto& [title, raw] : icons) {
        const int index = icon->findText(title);
        icon->setCurrentIndex(index);
        Q_EMIT icon->activated(index);
        EXPECT_EQ(host.defaults().stringValue("menuBarIcon"), raw);
    }
    for (const bool on : {true, false}) {
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
    const AppFilterSheet& sheet = page().appFilterSheet();
    ASSERT_TRUE(sheet.sheet);
    QPointer<SettingsSheet> first = sheet.sheet;
    auto* field = sheet.sheet->findChild<QLineEdit*>(Id::appFilterTextField);
    ASSERT_NE(field, nullptr);
    const auto stored = [&] { return OSDAppFilterSetting::persistedEntries(host.defaults()); };
    struct Case {
        const char* name;
        const char* typed;
        Strings entries;
    } const cases[] = {
        {"collapsed and trimmed", "  Safari   Web ", {"Mail", "Safari Web"}},
        {"another letter case", "MAIL", {"Mail", "Safari Web"}},
        {"other spacing", "Safari  Web", {"Mail", "Safari Web"}},
        {"blank", "   ", {"Mail", "Safari Web"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QTest::keyClicks(field, c.typed);
        EXPECT_EQ(sheet.addButton->isEnabled(), std::string(c.name) != "blank");
        QTest::keyClick(field, Qt::Key_Return);
        EXPECT_EQ(page().appFilterEntries(), c.entries);
        EXPECT_EQ(stored(), c.entries);
        EXPECT_TRUE(field->text().isEmpty());
        ASSERT_TRUE(sheet.sheet);
        EXPECT_TRUE(sheet.sheet->isVisible());
    }
    auto* cell = qobject_cast<QLabel*>(sheet.table->cellWidget(1, 0));
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->objectName(), Id::appFilterCell);
    EXPECT_EQ(cell->text(), "Safari Web");

    EXPECT_FALSE(sheet.removeButton->isEnabled());
    sheet.table->selectRow(0);
    sheet.removeButton->click();
    EXPECT_EQ(stored(), Strings{"Safari Web"});
    EXPECT_EQ(sheet.selectedRow(), 0); // the entry that moved up
    EXPECT_TRUE(sheet.removeButton->isEnabled());
    sheet.removeButton->click();
    EXPECT_FALSE(host.defaults().contains(OSDAppFilterSetting::key));
    EXPECT_FALSE(sheet.removeButton->isEnabled());
    EXPECT_EQ(detail->text(), "No apps or windows filtered.");

    QTest::keyClick(sheet.table, Qt::Key_Return); // presses Done
    EXPECT_FALSE(page().appFilterSheet().sheet);
    testing::flushDeferredDeletes();
    EXPECT_TRUE(first.isNull());
    page().showAppFilterSheet();
    ASSERT_TRUE(page().appFilterSheet().sheet);
    EXPECT_TRUE(page().appFilterSheet().sheet->isVisible());
}

TEST_F(SystemSettingsTest, APrivacyResetAsksRunsBothServicesAndSaysHowItWent) {
    struct Case {
        const char* name;
        int answer;
        std::vector<ProcessRun> runs;
        std::size_t toolRuns;
        std::size_t flagsLeft;
        std::optional<SystemAlert> result;
    } const cases[] = {
        {"cancelled", AlertResponse::secondButton, {}, 0, 4, std::nullopt},
        {"done",
         AlertResponse::firstButton,
         {},
         2,
         0,
         SystemAlert{"Permissions Reset",
                     "Accessibility and Screen Recording decisions were reset. macOS may require "
                     "Tessarin to restart before Screen Recording changes take effect.",
                     {"OK"},
                     AlertStyle::informational}},
        {"second service fails",
         AlertResponse::firstButton,
         {{}, {std::nullopt, 70, "No such"}},
         2,
         4,
         SystemAlert{"Failed to Reset Permissions",
                     "Failed to reset ScreenCapture: No such",
                     {"OK"},
                     AlertStyle::warning}},
    };
    auto* reset = control<QPushButton>(Id::resetPermissionsControl);
    ASSERT_NE(reset, nullptr);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (const char* key : TessarinPrivacyPermissionPromptHistory::allKeys) {
            host.defaults().set(key, true);
        }
        for (const ProcessRun& run : c.runs) {
            host.processes().scriptRun(kPrivacyResetToolPath, run);
        }
        host.system().scriptAlertResponse(c.answer);
        const std::size_t launches = host.processes().launches().size();
        const std::size_t alerts = host.system().shownAlerts().size();
        const int beeps = host.system().beepCount();
        reset->click();
        EXPECT_EQ(host.processes().launches().size() - launches, c.toolRuns);
        EXPECT_EQ(flagsLeft(), c.flagsLeft);
        EXPECT_EQ(host.system().beepCount() - beeps,
                  c.result && c.result->style == AlertStyle::warning ? 1 : 0);
        const auto& shown = host.system().shownAlerts();
        ASSERT_EQ(shown.size() - alerts, c.result ? 2u : 1u);
        EXPECT_EQ(shown[alerts].messageText, "Reset Tessarin Permissions?");
        if (c.result) {
            EXPECT_EQ(shown.back(), *c.result);
        }
    }
}

} // namespace
} // namespace tessarin
