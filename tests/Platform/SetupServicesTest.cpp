#include "Platform/LoginItems/LoginItems.h"
#include "Platform/PlatformWorld.h"
#include "Platform/Privacy/PrivacyDatabase.h"
#include "Platform/Privacy/PrivacyResetTool.h"
#include "Platform/Process/ProcessLauncher.h"
#include "Platform/Program/ProgramActivation.h"
#include "Platform/Program/ProgramBundle.h"
#include "Platform/SystemServices.h"
#include "Platform/SystemSettings/SystemSettings.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

constexpr const char* kProgram = "com.tessarin.Tessarin";
constexpr const char* kAccessibilityPane =
    "x-apple.systempreferences:com.apple.preference.security?Privacy_Accessibility";

class SetupServicesTest : public HostWorld {
protected:
    std::optional<WindowInfo> settingsWindow() {
        const auto list = host.windowServer().windowList(0, 0);
        for (const WindowInfo& info : list.value_or(std::vector<WindowInfo>{})) {
            if (info.ownerName == kSystemSettingsName) {
                return info;
            }
        }
        return std::nullopt;
    }
};

TEST_F(SetupServicesTest, TheTrustSwitchesAreTheProgramsDecisionsAndTheToolForgetsThem) {
    host.system().setScreenCaptureAccess(false);
    EXPECT_EQ(host.privacy().decision(PrivacyService::screenCapture, kProgram), false);
    EXPECT_TRUE(host.system().isProcessTrusted());

    auto run = host.processes().launch(kPrivacyResetToolPath, {"reset", "Accessibility", kProgram});
    ASSERT_TRUE(run) << run.error;
    EXPECT_EQ(run.process->waitUntilExit().exitStatus, 0);
    EXPECT_FALSE(host.system().isProcessTrusted());
    EXPECT_EQ(host.privacy().decision(PrivacyService::accessibility, kProgram), std::nullopt);

    auto wrong = host.processes().launch(kPrivacyResetToolPath, {"reset", "Camera", kProgram});
    ASSERT_TRUE(wrong);
    EXPECT_NE(wrong.process->waitUntilExit().exitStatus, 0);
    EXPECT_EQ(host.processes().launches().back(),
              (ProcessLaunch{kPrivacyResetToolPath, {"reset", "Camera", kProgram}}));
}

TEST_F(SetupServicesTest, ScriptedRunsFailToLaunchExitAsToldOrOverfillThePipe) {
    ProcessLauncher& processes = host.processes();
    EXPECT_FALSE(processes.launch("/usr/bin/missing", {}));
    processes.scriptRun(kPrivacyResetToolPath, {"not permitted", 0, ""});
    processes.scriptRun(kPrivacyResetToolPath, {std::nullopt, 3, "bad\n"});
    processes.scriptRun(kPrivacyResetToolPath,
                        {std::nullopt, 0, std::string(kProcessPipeCapacity + 1, 'x')});

    EXPECT_EQ(processes.launch(kPrivacyResetToolPath, {}).error, "not permitted");
    auto failing = processes.launch(kPrivacyResetToolPath, {});
    ASSERT_TRUE(failing);
    EXPECT_EQ(failing.process->waitUntilExit().exitStatus, 3);
    EXPECT_EQ(failing.process->readToEnd(), "bad\n");

    auto flooding = processes.launch(kPrivacyResetToolPath, {});
    ASSERT_TRUE(flooding);
    EXPECT_FALSE(flooding.process->waitUntilExit()); // a real wait would never return
    EXPECT_EQ(flooding.process->readToEnd().size(), kProcessPipeCapacity + 1);
    EXPECT_EQ(flooding.process->waitUntilExit().exitStatus, 0);
}

TEST_F(SetupServicesTest, RegisteringTheLoginItemEnablesAsksApprovalOrFails) {
    LoginItems& items = host.loginItems();
    EXPECT_EQ(items.mainAppStatus(), LoginItemStatus::notRegistered);
    items.setRegistration(LoginItemRegistration::fails, "Denied by policy");
    EXPECT_EQ(items.registerMainApp(), "Denied by policy");
    EXPECT_EQ(items.mainAppStatus(), LoginItemStatus::notRegistered);
    items.setRegistration(LoginItemRegistration::asksApproval, "");
    EXPECT_EQ(items.registerMainApp(), std::nullopt);
    EXPECT_EQ(items.mainAppStatus(), LoginItemStatus::requiresApproval);
    items.approve();
    EXPECT_EQ(items.mainAppStatus(), LoginItemStatus::enabled);
}

TEST_F(SetupServicesTest, AnAddressBringsUpOneSettingsWindowAndTheProgramResignsActive) {
    SystemSettings& settings = host.systemSettings();
    EXPECT_TRUE(host.system().openURL(kAccessibilityPane));
    EXPECT_TRUE(
        host.system().openURL("x-apple.systempreferences:com.apple.Desktop-Settings.extension"));
    EXPECT_FALSE(host.programActivation().isActive());
    ASSERT_TRUE(host.system().frontmostApplication());
    EXPECT_EQ(host.system().frontmostApplication()->bundleIdentifier,
              kSystemSettingsBundleIdentifier);
    const auto window = settingsWindow();
    ASSERT_TRUE(window);
    EXPECT_EQ(window->layer, 0);
    EXPECT_EQ(window->name, "Privacy & Security");
    EXPECT_EQ(window->bounds, SystemSettingsConfiguration{}.windowFrame);

    EXPECT_TRUE(settings.moveWindow({40, 60, 700, 500}));
    ASSERT_TRUE(settingsWindow());
    EXPECT_EQ(settingsWindow()->bounds, (Rect{40, 60, 700, 500}));
    EXPECT_TRUE(settings.closeWindow());
    EXPECT_FALSE(settingsWindow());
    host.system().openURL("https://example.com");
    EXPECT_FALSE(settingsWindow());
}

TEST_F(SetupServicesTest, APrivacyPaneGrantsWhenTheProgramsBundleIsDroppedOnIt) {
    host.system().setProcessTrusted(false);
    host.system().setScreenCaptureAccess(false);
    SystemSettings& settings = host.systemSettings();
    EXPECT_FALSE(settings.dropBundle(kInstalledProgramBundlePath)); // no window
    host.system().openURL("x-apple.systempreferences:com.apple.Desktop-Settings.extension");
    EXPECT_FALSE(settings.dropBundle(kInstalledProgramBundlePath)); // not a privacy list
    host.system().openURL(kAccessibilityPane);
    EXPECT_FALSE(settings.dropBundle("/Applications/Other.app"));
    EXPECT_FALSE(host.system().isProcessTrusted());
    EXPECT_TRUE(settings.dropBundle(kInstalledProgramBundlePath));
    EXPECT_TRUE(host.system().isProcessTrusted());
    EXPECT_FALSE(host.system().preflightScreenCaptureAccess()); // only the pane's own
}

TEST_F(SetupServicesTest, APrivacyPaneListsItsDecisionsWithSwitchesAndTellsOfEachChange) {
    SystemSettings& settings = host.systemSettings();
    std::vector<SystemSettings::Change> changes;
    const auto token = settings.addObserver(
        [&changes](SystemSettings::Change change) { changes.push_back(change); });
    host.privacy().setDecision(PrivacyService::accessibility, "com.example.Zeta", false);
    EXPECT_TRUE(settings.paneEntries().empty()); // no window
    EXPECT_FALSE(settings.setAllowed(kProgram, false));

    host.system().openURL(kAccessibilityPane);
    const std::vector<PrivacyPaneEntry> listed{
        {kProgram, "Tessarin", kInstalledProgramBundlePath, true},
        {"com.example.Zeta", "com.example.Zeta", "", false},
    };
    EXPECT_EQ(settings.paneEntries(), listed);
    EXPECT_EQ(settings.windowBounds(), SystemSettingsConfiguration{}.windowFrame);

    EXPECT_TRUE(settings.setAllowed(kProgram, false));
    EXPECT_FALSE(host.system().isProcessTrusted());
    EXPECT_FALSE(settings.setAllowed("com.example.Unlisted", true)); // only what is listed
    EXPECT_FALSE(host.privacy().decision(PrivacyService::accessibility, "com.example.Unlisted"));
    auto run = host.processes().launch(kPrivacyResetToolPath, {"reset", "Accessibility", kProgram});
    ASSERT_TRUE(run) << run.error;
    run.process->waitUntilExit();
    EXPECT_EQ(settings.paneEntries().size(), 1U);
    EXPECT_TRUE(settings.dropBundle(kInstalledProgramBundlePath));
    EXPECT_EQ(settings.paneEntries().front().allowed, true);
    settings.moveWindow({10, 20, 700, 500});
    settings.closeWindow();
    EXPECT_TRUE(settings.paneEntries().empty());
    EXPECT_FALSE(settings.windowBounds());

    using C = SystemSettings::Change;
    EXPECT_EQ(changes, (std::vector<C>{C::listChanged, C::opened, C::listChanged, C::listChanged,
                                       C::listChanged, C::moved, C::closed}));
    settings.removeObserver(token);
    settings.open(kAccessibilityPane);
    EXPECT_EQ(changes.size(), 7U);
}

TEST(SetupServicesScenarioTest, MembersReadBackAndBadOnesAreRefusedByName) {
    Scenario scenario = twoDisplays();
    scenario.setupServices.privacyDecisions[{"ScreenCapture", "com.example.Other"}] = true;
    scenario.setupServices.program.identifier.reset();
    scenario.setupServices.loginItemStatus = LoginItemStatus::requiresApproval;
    scenario.setupServices.loginItemRegistration = LoginItemRegistration::fails;
    scenario.setupServices.loginItemFailureMessage = "No";
    scenario.setupServices.toolRuns[kPrivacyResetToolPath] = {std::nullopt, 2, "out"};
    const auto back = parseScenario(scenarioToJson(scenario), "round.json");
    ASSERT_TRUE(back) << back.error;
    EXPECT_EQ(back.scenario->setupServices, scenario.setupServices);

    const std::pair<Json, const char*> cases[] = {
        {{{"privacy", {{"Camera", Json::object()}}}}, "privacy.Camera: must be"},
        {{{"privacy", {{"Accessibility", {{"a.b", 1}}}}}}, "privacy.Accessibility.\"a.b\":"},
        {{{"program", {{"bundleIdentifier", 3}}}}, "program.bundleIdentifier: must be"},
        {{{"loginItem", {{"status", "on"}}}}, "loginItem.status: must be one of"},
        {{{"systemSettings", {{"frame", {0, 0, 0, 10}}}}}, "systemSettings.frame: must be"},
        {{{"tools", {{"/usr/bin/tccutil", {{"exitStatus", "1"}}}}}},
         "tools.\"/usr/bin/tccutil\".exitStatus: must be"},
    };
    for (const auto& [members, expected] : cases) {
        Json json = scenarioToJson(twoDisplays());
        json.update(members);
        const auto result = parseScenario(json, "setup.json");
        EXPECT_FALSE(result);
        EXPECT_EQ(result.error.rfind(std::string("setup.json: ") + expected, 0), 0u)
            << result.error;
    }
}

} // namespace
} // namespace tessarin
