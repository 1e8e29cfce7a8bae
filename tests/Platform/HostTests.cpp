#include "Platform/DisplayServer.h"
#include "Platform/Input/EventSystem.h"
#include "Platform/Preferences/Preferences.h"
#include "Platform/Preferences/UserDefaults.h"
#include "Platform/SpacesConfiguration.h"
#include "Platform/SymbolicHotKeyTable.h"
#include "Platform/SystemServices.h"
#include "Platform/WorkspaceNotificationCenter.h"
#include "PlatformWorld.h"

namespace tessarin {
namespace {

constexpr const char* kExternal = "9A1F2B3C-4D5E-4F60-8172-8394A5B6C7D8";

// The host wires its parts together behind the system calls the product uses.
class HostTest : public HostWorld {
protected:
    HostTest() : HostWorld(Scenario::defaultScenario()) {}
    SystemCalls& calls() { return Host::current().calls(); }
    int cid() { return calls().mainConnectionID(); }
};

TEST_F(HostTest, SpaceCallsNeedTheServersConnection) {
    ASSERT_NE(cid(), 0);
    const auto lists = calls().copyManagedDisplaySpaces(cid());
    ASSERT_TRUE(lists);
    ASSERT_EQ(lists->size(), 2u);
    EXPECT_EQ((*lists)[1].displayIdentifier, kExternal);
    EXPECT_EQ(calls().activeSpace(cid()), 4u);
    const WindowID window = host.windowServer().windows().front().number;
    EXPECT_TRUE(calls().copySpacesForWindows(cid(), SpaceMask::all, {window}));
    EXPECT_FALSE(calls().copySpacesForWindows(cid() + 1, SpaceMask::all, {window}));
    EXPECT_FALSE(calls().copyManagedDisplaySpaces(0));
    EXPECT_EQ(calls().activeSpace(0), 0u);
    host.windowServer().setConnectionAvailable(false);
    EXPECT_EQ(calls().mainConnectionID(), 0);
}

TEST_F(HostTest, SpaceTitlesLiveInTheSpacesDomainAndSurviveSpaceEdits) {
    EXPECT_EQ(readSpaceTitles(host.preferences()).at(3), "Mail");
    ASSERT_TRUE(host.windowServer().addSpace(kExternal));
    ASSERT_TRUE(host.windowServer().removeSpace(9));
    const auto configuration = host.preferences().copyAppValue(
        SpacesConfigurationKey::configuration, SpacesConfigurationKey::domain);
    ASSERT_TRUE(configuration);
    const SpaceTitles titles = spaceTitles(*configuration);
    EXPECT_EQ(titles.at(3), "Mail");
    EXPECT_EQ(titles.count(9), 0u);
}

TEST_F(HostTest, MovingTheMouseMovesTheCursorOfTheDisplays) {
    host.events().physical().moveMouse({2000, 100});
    EXPECT_EQ(calls().cursorLocation(), (Point{2000, 100}));
    EXPECT_EQ(calls().displaysWithPoint(calls().cursorLocation()), std::vector<DisplayID>{3});
}

// A scenario may put the pointer where the system's never is; the host places it on the
// nearest display, so the program finds the display it is on.
class HostPointerOffEveryDisplayTest : public HostWorld {
protected:
    static Scenario pointerOffEveryDisplay() {
        Scenario scenario = Scenario::defaultScenario();
        scenario.mouseLocation = Point{-700, 500};
        return scenario;
    }
    HostPointerOffEveryDisplayTest() : HostWorld(pointerOffEveryDisplay()) {}
};

TEST_F(HostPointerOffEveryDisplayTest, ThePointerIsPlacedOnTheNearestDisplay) {
    EXPECT_EQ(host.displays().mouseLocation(), (Point{0, 500}));
    const auto screen = host.displays().screenContaining(host.displays().mouseLocation());
    ASSERT_TRUE(screen);
    EXPECT_EQ(screen->displayID, Scenario::defaultScenario().displays.front().displayID);
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
    queue.runUntilIdle();
    EXPECT_EQ(heard, (std::vector<std::string>{WorkspaceNotificationName::userDefaultsDidChange,
                                               WorkspaceNotificationName::screenParametersDidChange,
                                               WorkspaceNotificationName::didWake}));
}

} // namespace
} // namespace tessarin
