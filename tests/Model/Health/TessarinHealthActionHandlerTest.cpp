#include "Model/Health/TessarinHealthActionHandler.h"

#include "Model/Health/TessarinHealthStatusProvider.h"
#include "Platform/LoginItems/LoginItems.h"
#include "Platform/PlatformWorld.h"
#include "Platform/Preferences/UserDefaults.h"
#include "Platform/Program/ProgramActivation.h"
#include "Platform/Program/ProgramBundle.h"
#include "Platform/SystemServices.h"
#include "Platform/SystemSettings/SystemSettings.h"

namespace tessarin {
namespace {

using Id = TessarinHealthCheckIdentifier;

using TessarinHealthActionHandlerTest = HostWorld;

TEST_F(TessarinHealthActionHandlerTest, EachItemOpensItsPaneAndNotesWhatItFound) {
    const std::string desktop = HealthSettingsAddress::desktopAndDock;
    // clang-format off
    struct Case { const char* name; Id id; bool trusted; bool supported; bool captured;
                  std::vector<std::string> urls; std::vector<std::string> keys; };
    const Case cases[] = {
        {"trusted", Id::accessibility, true, true, true, {}, {"privacy.accessibilityAccessObserved"}},
        {"untrusted", Id::accessibility, false, true, true, {HealthSettingsAddress::accessibility}, {"privacy.accessibilityPromptRequested"}},
        {"capture before 14", Id::screenRecording, true, false, false, {}, {}},
        {"capture granted", Id::screenRecording, true, true, true, {}, {"privacy.screenRecordingAccessObserved"}},
        {"capture missing", Id::screenRecording, true, true, false, {HealthSettingsAddress::screenRecording}, {"privacy.screenRecordingPromptRequested"}},
        {"separate Spaces", Id::separateSpaces, true, true, true, {desktop}, {}},
        {"re-arranging", Id::spaceAutoRearrange, true, true, true, {desktop}, {}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        UserDefaults defaults;
        std::vector<std::string> urls;
        TessarinHealthActionHandler handler(defaults,
                                            {[&] { return c.trusted; }, [&] { return c.supported; },
                                             [&] { return c.captured; }, nullptr, nullptr,
                                             [&](const std::string& url) { urls.push_back(url); }});
        handler.performAction(c.id);
        EXPECT_EQ(urls, c.urls);
        EXPECT_EQ(defaults.keys(), c.keys);
    }
}

TEST_F(TessarinHealthActionHandlerTest, ARefusedLoginItemBeepsOnceAndShowsTheServicesMessage) {
    host.loginItems().setRegistration(LoginItemRegistration::fails, "Denied by policy");
    TessarinHealthActionHandler handler(host.defaults());
    handler.performAction(Id::launchAtLogin);
    EXPECT_EQ(host.system().beepCount(), 1);
    const SystemAlert alert{"Failed to enable launch at login", "Denied by policy", {"OK"}};
    EXPECT_EQ(host.system().shownAlerts(), std::vector<SystemAlert>{alert});

    host.loginItems().setRegistration(LoginItemRegistration::asksApproval, "");
    handler.performAction(Id::launchAtLogin);
    EXPECT_EQ(host.system().beepCount(), 1);
    EXPECT_EQ(host.loginItems().mainAppStatus(), LoginItemStatus::requiresApproval);
}

// The untrusted program sends the user to System Settings, whose list takes its bundle.
TEST_F(TessarinHealthActionHandlerTest, OpenBringsUpThePrivacyPaneAndADropGrants) {
    host.system().setProcessTrusted(false);
    TessarinHealthActionHandler handler(host.defaults());
    handler.performAction(Id::accessibility);
    EXPECT_FALSE(host.programActivation().isActive());
    EXPECT_EQ(host.systemSettings().pane(), "com.apple.preference.security?Privacy_Accessibility");
    ASSERT_TRUE(host.systemSettings().window());

    const TessarinHealthStatusProvider provider;
    EXPECT_TRUE(provider.snapshot().requiresAction());
    EXPECT_TRUE(host.systemSettings().dropBundle(host.programBundle().bundlePath()));
    EXPECT_FALSE(provider.snapshot().requiresAction());
}

} // namespace
} // namespace tessarin
