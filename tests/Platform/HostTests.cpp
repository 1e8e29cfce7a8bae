#include "Platform/DisplayServer.h"
#include "Platform/Dock.h"
#include "Platform/Host.h"
#include "Platform/Input/EventSystem.h"
#include "Platform/Preferences/Preferences.h"
#include "Platform/Preferences/UserDefaults.h"
#include "Platform/Scenario.h"
#include "Platform/SpacesConfiguration.h"
#include "Platform/SymbolicHotKeyTable.h"
#include "Platform/SystemServices.h"
#include "Platform/WindowServer.h"
#include "Platform/WorkspaceNotificationCenter.h"
#include "Support/BundleIdentifier.h"
#include "Support/VirtualMainQueue.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

constexpr const char* kBuiltIn = "4C3E8A52-7D61-4F0B-9E2A-1B5C6D7E8F90";
constexpr const char* kExternal = "9A1F2B3C-4D5E-4F60-8172-8394A5B6C7D8";

class HostTest : public ::testing::Test {
protected:
    VirtualMainQueue queue;
    ScopedMainQueue scopedQueue{queue};
    Host host{Scenario::defaultScenario(), queue};
    ScopedCurrentHost current{host};

    SystemCalls& calls() { return Host::current().calls(); }
    int cid() { return calls().mainConnectionID(); }
};

TEST_F(HostTest, TheDefaultWorldHasTwoDisplaysWithSeparateSpaces) {
    ASSERT_NE(cid(), 0);
    const auto lists = calls().copyManagedDisplaySpaces(cid()).value();
    ASSERT_EQ(lists.size(), 2u);
    EXPECT_EQ(lists[0].displayIdentifier, kBuiltIn);
    EXPECT_EQ(lists[0].spaces.size(), 6u);
    EXPECT_EQ(lists[0].currentSpace->id64, 4u);
    EXPECT_EQ(lists[1].displayIdentifier, kExternal);
    EXPECT_EQ(lists[1].spaces.size(), 4u);
    EXPECT_EQ(calls().activeSpace(cid()), 4u);
    EXPECT_EQ(calls().copyActiveMenuBarDisplayIdentifier(cid()), kBuiltIn);
    EXPECT_EQ(calls().activeDisplayList(), (std::vector<DisplayID>{1, 3}));
    EXPECT_EQ(calls().displayUUID(3), kExternal);
    EXPECT_EQ(calls().displayBounds(3), (Rect{1512, 0, 2560, 1440}));
    EXPECT_EQ(calls().displaysWithPoint(calls().cursorLocation()), std::vector<DisplayID>{1});
    EXPECT_TRUE(calls().isProcessTrusted());
    EXPECT_TRUE(calls().preflightScreenCaptureAccess());
    EXPECT_EQ(host.system().frontmostApplication()->localizedName, "Safari");
}

TEST_F(HostTest, TheWindowListShowsTheCurrentSpacesWindowsFrontToBack) {
    const auto onScreen = calls().copyWindowList(
        WindowListOption::onScreenOnly | WindowListOption::excludeDesktopElements, 0);
    ASSERT_TRUE(onScreen);
    std::vector<std::string> titles;
    for (const WindowInfo& info : *onScreen) {
        titles.push_back(info.ownerName + ":" + info.name.value_or("-"));
    }
    EXPECT_EQ(titles, (std::vector<std::string>{"Control Center:-", "Safari:Start Page",
                                                "Terminal:server.log — tail"}));
    const auto all = calls().copyWindowList(WindowListOption::all, 0).value();
    EXPECT_EQ(all.size(), Scenario::defaultScenario().windows.size());
}

TEST_F(HostTest, WindowSpacesNeedTheServersConnection) {
    const auto all = calls().copyWindowList(WindowListOption::all, 0).value();
    const auto mail = std::find_if(all.begin(), all.end(),
                                   [](const WindowInfo& w) { return w.ownerName == "Mail"; });
    ASSERT_NE(mail, all.end());
    EXPECT_EQ(calls().copySpacesForWindows(cid(), SpaceMask::all, {mail->number}),
              std::vector<SpaceID>{3});
    EXPECT_FALSE(calls().copySpacesForWindows(cid() + 1, SpaceMask::all, {mail->number}));
    EXPECT_FALSE(calls().copyManagedDisplaySpaces(0));
    EXPECT_EQ(calls().activeSpace(0), 0u);

    host.windowServer().setConnectionAvailable(false);
    EXPECT_EQ(calls().mainConnectionID(), 0);
}

TEST_F(HostTest, WithdrawnCallsStayWithdrawnUntilRestored) {
    calls().copyManagedDisplaySpaces = nullptr;
    calls().copySpacesForWindows = nullptr;
    EXPECT_FALSE(Host::current().calls().copyManagedDisplaySpaces);
    EXPECT_FALSE(Host::current().calls().copySpacesForWindows);
    EXPECT_TRUE(Host::current().calls().copyWindowList);
    host.restoreCalls();
    EXPECT_TRUE(Host::current().calls().copyManagedDisplaySpaces);
    EXPECT_TRUE(Host::current().calls().copySpacesForWindows);
}

TEST_F(HostTest, PermissionsSwitchAtRunTime) {
    host.system().setProcessTrusted(false);
    host.system().setScreenCaptureAccess(false);
    EXPECT_FALSE(calls().isProcessTrusted());
    EXPECT_FALSE(calls().preflightScreenCaptureAccess());
}

TEST_F(HostTest, SpaceTitlesLiveInTheSpacesDomainAndSurviveSpaceEdits) {
    SpaceTitles titles = readSpaceTitles(host.preferences());
    EXPECT_EQ(titles[3], "Mail");
    EXPECT_EQ(titles[9], "Logs");
    EXPECT_EQ(titles.count(7), 0u);

    const auto added = host.windowServer().addSpace(kExternal);
    ASSERT_TRUE(added);
    host.windowServer().removeSpace(5);
    const auto configuration = host.preferences().copyAppValue(
        SpacesConfigurationKey::configuration, SpacesConfigurationKey::domain);
    ASSERT_TRUE(configuration);
    titles = spaceTitles(*configuration);
    EXPECT_EQ(titles[3], "Mail");
    EXPECT_EQ(titles.count(5), 0u);
    const auto* monitors = configuration->member(SpacesConfigurationKey::managementData)
                               ->member(SpacesConfigurationKey::monitors)
                               ->array();
    ASSERT_EQ(monitors->size(), 2u);
    EXPECT_EQ((*monitors)[1].member(SpacesConfigurationKey::spaces)->array()->size(), 5u);
}

TEST_F(HostTest, SymbolicHotKeysComeFromTheSystemDomain) {
    EXPECT_EQ(calls().symbolicHotKeyValue(119), (SymbolicHotKeyValue{65535, 19, 0x40000}));
    EXPECT_TRUE(calls().isSymbolicHotKeyEnabled(119));
    EXPECT_EQ(calls().setSymbolicHotKeyEnabled(119, false), 0);
    EXPECT_FALSE(calls().isSymbolicHotKeyEnabled(119));
    // The preference domain the product reads sees the same change.
    const auto table =
        host.preferences().copyAppValue("AppleSymbolicHotKeys", "com.apple.symbolichotkeys");
    ASSERT_TRUE(table);
    EXPECT_EQ(table->member("119")->member("enabled")->boolValue(), false);
    EXPECT_FALSE(calls().symbolicHotKeyValue(130));
    EXPECT_NE(calls().setSymbolicHotKeyEnabled(130, true), 0);
}

TEST_F(HostTest, ASwitchPostedToTheDockLandsAfterItsAnimation) {
    // Control-3 is "Switch to Desktop 3" in the default world.
    Event keyDown;
    keyDown.type = EventType::keyDown;
    keyDown.flags = EventFlags::maskControl;
    keyDown.setIntegerValue(EventField::keyboardEventKeycode, 20);
    calls().postEvent(keyDown);
    queue.advance(0.1);
    EXPECT_EQ(host.windowServer().currentSpace(kBuiltIn), 4u);
    queue.advance(1.0);
    EXPECT_EQ(host.windowServer().currentSpace(kBuiltIn), 5u);
    EXPECT_EQ(host.notifications().postedCount(WorkspaceNotificationName::activeSpaceDidChange),
              1u);
}

TEST_F(HostTest, MovingTheMouseMovesTheCursorOfTheDisplays) {
    host.events().physical().moveMouse({2000, 100});
    EXPECT_EQ(calls().cursorLocation(), (Point{2000, 100}));
    EXPECT_EQ(calls().displaysWithPoint(calls().cursorLocation()), std::vector<DisplayID>{3});
    EXPECT_EQ(host.displays().mouseLocation(), (Point{2000, 882}));
}

TEST_F(HostTest, MissionControlShowsTheDocksWindows) {
    host.windowServer().setMissionControlOpen(true);
    const auto list = calls().copyWindowList(WindowListOption::onScreenOnly, 0).value();
    std::vector<int> dockLayers;
    for (const WindowInfo& info : list) {
        if (info.ownerName == "Dock") {
            EXPECT_EQ(info.ownerPID, 97);
            dockLayers.push_back(info.layer);
        }
    }
    EXPECT_EQ(dockLayers, (std::vector<int>{20, 20, 18, 18}));
}

TEST_F(HostTest, ChangesOfScreensAndDefaultsAreAnnouncedOnALaterTurn) {
    std::vector<std::string> heard;
    auto token = host.notifications().addObserver(
        "", [&](const WorkspaceNotification& n) { heard.push_back(n.name); });
    host.defaults().set("gridColumnCount", PropertyValue(int64_t{2}));
    auto screens = host.displays().screens();
    screens.pop_back();
    host.displays().setScreens(screens);
    host.system().systemDidWake();
    EXPECT_TRUE(heard.empty());
    queue.runUntilIdle();
    EXPECT_EQ(heard, (std::vector<std::string>{WorkspaceNotificationName::userDefaultsDidChange,
                                               WorkspaceNotificationName::screenParametersDidChange,
                                               WorkspaceNotificationName::didWake}));
}

TEST_F(HostTest, TheProgramsOwnDomainIsTheDefaultsStore) {
    host.defaults().set("gridWrapStyle", PropertyValue("pacMan"));
    EXPECT_EQ(host.preferences().copyAppValue("gridWrapStyle", kBundleIdentifier),
              PropertyValue("pacMan"));
    EXPECT_EQ(host.preferences().copyAppValue("mru-spaces", "com.apple.dock"),
              PropertyValue(false));
}

TEST(HostBuildTest, WindowsKeepTheirGivenNumbersAndTheRestAreNumberedInOrder) {
    Scenario scenario = Scenario::defaultScenario();
    scenario.windows.resize(3);
    scenario.windows[0].number = 0;
    scenario.windows[1].number = 0;
    scenario.windows[2].number = 2; // the number the first window would otherwise get
    VirtualMainQueue queue;
    Host host(scenario, queue);
    std::vector<WindowID> numbers;
    for (const ServerWindow& window : host.windowServer().windows()) {
        numbers.push_back(window.number);
    }
    EXPECT_EQ(numbers, (std::vector<WindowID>{3, 4, 2}));
}

TEST(ScopedCurrentHostTest, RestoresTheHostThatWasCurrentBefore) {
    VirtualMainQueue queue;
    Host outer(Scenario::defaultScenario(), queue);
    Host inner(Scenario::defaultScenario(), queue);
    EXPECT_EQ(Host::installed(), nullptr);
    {
        ScopedCurrentHost first(outer);
        EXPECT_EQ(&Host::current(), &outer);
        {
            ScopedCurrentHost second(inner);
            EXPECT_EQ(&Host::current(), &inner);
        }
        EXPECT_EQ(&Host::current(), &outer);
    }
    EXPECT_EQ(Host::installed(), nullptr);
}

TEST(HostBuildTest, AScenarioWithSharedSpacesGivesOneMainList) {
    Scenario scenario = Scenario::defaultScenario();
    scenario.displaysHaveSeparateSpaces = false;
    scenario.spaceLists = {{"Main", {{1, 0, "", "First"}, {2, 0, "", std::nullopt}}, 2}};
    for (ServerWindow& window : scenario.windows) {
        window.spaces = {1};
    }
    VirtualMainQueue queue;
    Host host(scenario, queue);
    const int cid = host.calls().mainConnectionID();
    const auto lists = host.calls().copyManagedDisplaySpaces(cid).value();
    ASSERT_EQ(lists.size(), 1u);
    EXPECT_EQ(lists[0].displayIdentifier, "Main");
    EXPECT_EQ(host.calls().copyActiveMenuBarDisplayIdentifier(cid), "Main");
    EXPECT_EQ(host.calls().activeSpace(cid), 2u);
    EXPECT_EQ(readSpaceTitles(host.preferences()).at(1), "First");
}

} // namespace
} // namespace tessarin
