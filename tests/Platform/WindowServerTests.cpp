#include "Platform/WindowServer.h"
#include "Support/VirtualMainQueue.h"

#include <atomic>
#include <gtest/gtest.h>
#include <thread>

namespace tessarin {
namespace {

ManagedSpace desktop(SpaceID id) {
    return {id, kSpaceTypeUserDesktop, spaceUUIDString(id)};
}

class WindowServerTest : public ::testing::Test {
protected:
    WindowServerTest() {
        server.configureSpaces(true, {{"UUID-A", {desktop(11), desktop(12), desktop(13)}, 11},
                                      {"UUID-B", {desktop(21), desktop(22)}, 22}});
    }

    WindowID addWindow(const std::string& owner, std::vector<SpaceID> spaces, int layer = 0) {
        ServerWindow window;
        window.ownerPID = static_cast<int32_t>(owner.size()) * 100;
        window.ownerName = owner;
        window.name = owner + " window";
        window.bounds = {100, 100, 800, 600};
        window.layer = layer;
        window.spaces = std::move(spaces);
        return server.addWindow(window);
    }

    std::vector<WindowID> numbers(uint32_t options, WindowID relativeTo = 0) const {
        std::vector<WindowID> result;
        const auto list = server.windowList(options, relativeTo).value();
        for (const WindowInfo& info : list) {
            result.push_back(info.number);
        }
        return result;
    }

    VirtualMainQueue queue;
    WorkspaceNotificationCenter notifications{queue};
    DisplayServer displays{{
        {1, "UUID-A", "Left", {0, 0, 1920, 1080}, {0, 0, 1920, 1055}, 2.0},
        {2, "UUID-B", "Right", {1920, 0, 1920, 1080}, {1920, 0, 1920, 1055}, 2.0},
    }};
    WindowServer server{displays, notifications};
};

TEST_F(WindowServerTest, SeparateSpacesGiveOneListPerDisplayUUID) {
    const auto lists = server.managedDisplaySpaces().value();
    ASSERT_EQ(lists.size(), 2u);
    EXPECT_EQ(lists[0].displayIdentifier, "UUID-A");
    EXPECT_EQ(lists[0].currentSpace, desktop(11));
    EXPECT_EQ(lists[0].spaces, (std::vector{desktop(11), desktop(12), desktop(13)}));
    EXPECT_EQ(lists[1].displayIdentifier, "UUID-B");
    EXPECT_EQ(lists[1].currentSpace, desktop(22));
    EXPECT_EQ(server.spaceListIdentifier(2), "UUID-B");
    EXPECT_TRUE(server.displaysHaveSeparateSpaces());
}

TEST_F(WindowServerTest, SharedSpacesGiveOneListNamedMainForEveryDisplay) {
    server.configureSpaces(false, {{"Main", {desktop(1), desktop(2)}, 2}});
    const auto lists = server.managedDisplaySpaces().value();
    ASSERT_EQ(lists.size(), 1u);
    EXPECT_EQ(lists[0].displayIdentifier, "Main");
    EXPECT_EQ(server.spaceListIdentifier(1), "Main");
    EXPECT_EQ(server.spaceListIdentifier(2), "Main");
    EXPECT_EQ(server.activeMenuBarDisplayIdentifier(), "Main");
    EXPECT_EQ(server.activeSpace(), 2u);
    EXPECT_FALSE(server.displaysHaveSeparateSpaces());
}

TEST_F(WindowServerTest, AnUnknownCurrentSpaceFallsBackToTheFirst) {
    server.configureSpaces(true, {{"UUID-A", {desktop(5), desktop(6)}, 99}});
    EXPECT_EQ(server.currentSpace("UUID-A"), 5u);
}

TEST_F(WindowServerTest, ActiveSpaceIsTheCurrentSpaceOfTheActiveMenuBarDisplay) {
    EXPECT_EQ(server.activeMenuBarDisplayIdentifier(), "UUID-A");
    EXPECT_EQ(server.activeSpace(), 11u);
    server.setActiveMenuBarDisplay(2);
    EXPECT_EQ(server.activeMenuBarDisplayIdentifier(), "UUID-B");
    EXPECT_EQ(server.activeSpace(), 22u);
    // A display that goes away hands the menu bar back to the main screen.
    displays.setScreens({displays.screens().front()});
    EXPECT_EQ(server.activeMenuBarDisplay(), 1u);
}

TEST_F(WindowServerTest, OnlyWindowsOfCurrentSpacesAndStickyWindowsAreOnScreen) {
    const WindowID onCurrentA = addWindow("Safari", {11});
    const WindowID onOtherA = addWindow("Mail", {12});
    const WindowID onCurrentB = addWindow("Notes", {22});
    ServerWindow sticky;
    sticky.ownerName = "Clock";
    sticky.spaces = {12};
    sticky.isSticky = true;
    const WindowID stickyID = server.addWindow(sticky);
    const WindowID hidden = addWindow("Terminal", {11});
    server.setWindowOrderedOut(hidden, true);

    EXPECT_EQ(numbers(WindowListOption::onScreenOnly),
              (std::vector<WindowID>{stickyID, onCurrentB, onCurrentA}));
    const auto all = server.windowList(WindowListOption::all, 0).value();
    EXPECT_EQ(all.size(), 5u);
    for (const WindowInfo& info : all) {
        const bool expected = info.number != onOtherA && info.number != hidden;
        EXPECT_EQ(info.isOnscreen, expected) << info.ownerName;
    }

    ASSERT_TRUE(server.setCurrentSpace("UUID-A", 12));
    EXPECT_EQ(numbers(WindowListOption::onScreenOnly),
              (std::vector<WindowID>{stickyID, onCurrentB, onOtherA}));
}

TEST_F(WindowServerTest, WindowListOptionsFilterAsTheWindowServerDoes) {
    const WindowID back = addWindow("Finder", {11});
    const WindowID middle = addWindow("Mail", {11});
    const WindowID front = addWindow("Safari", {11});
    const WindowID offscreen = addWindow("Notes", {12});
    const WindowID desktopIcons = addWindow("Finder", {11}, -2147483603);
    const WindowID menuExtra = addWindow("Control Center", {11}, 25);

    struct Case {
        const char* name;
        uint32_t options;
        WindowID relativeTo;
        std::vector<WindowID> expected;
    };
    using O = std::uint32_t;
    const Case cases[] = {
        {"all",
         WindowListOption::all,
         0,
         {menuExtra, offscreen, front, middle, back, desktopIcons}},
        {"all without desktop",
         WindowListOption::excludeDesktopElements,
         0,
         {menuExtra, offscreen, front, middle, back}},
        {"on screen without desktop",
         O{WindowListOption::onScreenOnly | WindowListOption::excludeDesktopElements},
         0,
         {menuExtra, front, middle, back}},
        {"above the middle one", WindowListOption::onScreenAboveWindow, middle, {menuExtra, front}},
        {"below the middle one",
         WindowListOption::onScreenBelowWindow,
         middle,
         {back, desktopIcons}},
        {"below, including it",
         O{WindowListOption::onScreenBelowWindow | WindowListOption::includingWindow},
         middle,
         {middle, back, desktopIcons}},
        {"just one window", WindowListOption::includingWindow, offscreen, {offscreen}},
        {"just an unknown window", WindowListOption::includingWindow, 9999, {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(numbers(c.options, c.relativeTo), c.expected) << c.name;
    }
}

TEST_F(WindowServerTest, WindowInfoCarriesTheWindowsFacts) {
    ServerWindow window;
    window.ownerPID = 321;
    window.ownerName = "Preview";
    window.name = std::nullopt;
    window.bounds = {10, 20, 30, 40};
    window.alpha = 0.5;
    window.sharingState = 0;
    window.spaces = {11};
    const WindowID id = server.addWindow(window);
    const auto list = server.windowList(WindowListOption::includingWindow, id).value();
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0],
              (WindowInfo{id, 321, "Preview", std::nullopt, {10, 20, 30, 40}, 0, 0.5, 0, true}));
}

TEST_F(WindowServerTest, MissionControlShowsTheDocksWindowsAtLayers18And20OnEveryDisplay) {
    addWindow("Safari", {11});
    server.setDockProcessIdentifier(555);
    auto dockLayers = [&] {
        std::vector<std::pair<int, Rect>> found;
        const auto list = server.windowList(WindowListOption::onScreenOnly, 0).value();
        for (const WindowInfo& info : list) {
            if (info.ownerName == "Dock") {
                EXPECT_EQ(info.ownerPID, 555);
                found.emplace_back(info.layer, info.bounds);
            }
        }
        return found;
    };
    EXPECT_TRUE(dockLayers().empty());

    server.setMissionControlOpen(true);
    EXPECT_TRUE(server.isMissionControlOpen());
    const std::vector<std::pair<int, Rect>> expected = {
        {20, {0, 0, 1920, 1080}},
        {20, {1920, 0, 1920, 1080}},
        {18, {0, 0, 1920, 1080}},
        {18, {1920, 0, 1920, 1080}},
    };
    EXPECT_EQ(dockLayers(), expected);

    server.setMissionControlOpen(false);
    EXPECT_TRUE(dockLayers().empty());
}

TEST_F(WindowServerTest, ChangingTheCurrentSpacePostsTheNotificationOnALaterTurn) {
    int heard = 0;
    auto token = notifications.addObserver(WorkspaceNotificationName::activeSpaceDidChange,
                                           [&](const WorkspaceNotification&) { ++heard; });
    EXPECT_TRUE(server.setCurrentSpace("UUID-B", 21));
    EXPECT_EQ(server.currentSpace("UUID-B"), 21u);
    EXPECT_EQ(heard, 0);
    queue.runUntilIdle();
    EXPECT_EQ(heard, 1);

    EXPECT_TRUE(server.setCurrentSpace("UUID-B", 21));  // already there: no change, no news
    EXPECT_FALSE(server.setCurrentSpace("UUID-B", 11)); // another display's Space
    EXPECT_FALSE(server.setCurrentSpace("UUID-Z", 11));
    queue.runUntilIdle();
    EXPECT_EQ(heard, 1);
    EXPECT_EQ(server.currentSpace("UUID-A"), 11u);
}

TEST_F(WindowServerTest, AddedSpacesGetFreshIDsAtTheEndOfTheirList) {
    const auto added = server.addSpace("UUID-B");
    ASSERT_TRUE(added);
    EXPECT_GT(*added, 22u);
    EXPECT_EQ(server.spaceList("UUID-B")->spaces.back().id64, *added);
    EXPECT_FALSE(server.space(*added)->uuid.empty());
    const auto second = server.addSpace("UUID-A");
    EXPECT_NE(second, added);
    EXPECT_FALSE(server.addSpace("UUID-Z"));
}

TEST_F(WindowServerTest, RemovingASpaceMovesItsWindowsToTheFirstSpace) {
    const WindowID mail = addWindow("Mail", {13});
    const WindowID both = addWindow("Notes", {12, 13});
    ASSERT_TRUE(server.setCurrentSpace("UUID-A", 13));
    queue.runUntilIdle();

    ASSERT_TRUE(server.removeSpace(13));
    EXPECT_EQ(server.window(mail)->spaces, std::vector<SpaceID>{11});
    EXPECT_EQ(server.window(both)->spaces, std::vector<SpaceID>{12});
    EXPECT_EQ(server.currentSpace("UUID-A"), 11u);
    EXPECT_EQ(server.spaceList("UUID-A")->spaces, (std::vector{desktop(11), desktop(12)}));
    queue.runUntilIdle();
    EXPECT_EQ(notifications.postedCount(WorkspaceNotificationName::activeSpaceDidChange), 2u);

    EXPECT_FALSE(server.removeSpace(13));
}

TEST_F(WindowServerTest, TheLastDesktopOfAListCannotBeRemoved) {
    server.configureSpaces(true, {{"UUID-A", {desktop(1), {2, kSpaceTypeFullScreen, "FS"}}, 1}});
    EXPECT_FALSE(server.removeSpace(1));
    EXPECT_TRUE(server.removeSpace(2));
}

TEST_F(WindowServerTest, WindowsOfARemovedSpaceNeverLandOnAFullScreenSpace) {
    server.configureSpaces(
        true, {{"UUID-A", {{1, kSpaceTypeFullScreen, "FS"}, desktop(2), desktop(3)}, 3}});
    const WindowID window = addWindow("Mail", {3});
    ASSERT_TRUE(server.removeSpace(3));
    EXPECT_EQ(server.window(window)->spaces, std::vector<SpaceID>{2});
    EXPECT_EQ(server.currentSpace("UUID-A"), 2u);
}

TEST_F(WindowServerTest, SpacesForWindowsFollowsTheMask) {
    const WindowID current = addWindow("Safari", {11});
    const WindowID other = addWindow("Mail", {12, 21});
    ServerWindow sticky;
    sticky.spaces = {21};
    sticky.isSticky = true;
    const WindowID stickyID = server.addWindow(sticky);

    EXPECT_EQ(server.spacesForWindows(SpaceMask::all, {current}), std::vector<SpaceID>{11});
    EXPECT_EQ(server.spacesForWindows(SpaceMask::all, {other}), (std::vector<SpaceID>{12, 21}));
    EXPECT_EQ(server.spacesForWindows(SpaceMask::all, {current, other, current}),
              (std::vector<SpaceID>{11, 12, 21}));
    EXPECT_EQ(server.spacesForWindows(SpaceMask::includesCurrent | SpaceMask::includesUser,
                                      {current, other}),
              std::vector<SpaceID>{11});
    EXPECT_EQ(server.spacesForWindows(SpaceMask::includesOthers | SpaceMask::includesUser,
                                      {current, other}),
              (std::vector<SpaceID>{12, 21}));
    // Assigned to all Desktops of display B.
    EXPECT_EQ(server.spacesForWindows(SpaceMask::all, {stickyID}), (std::vector<SpaceID>{21, 22}));
    EXPECT_EQ(server.spacesForWindows(SpaceMask::all, {4242}), std::vector<SpaceID>{});
}

TEST_F(WindowServerTest, MovingAWindowPutsItOnExactlyThatSpace) {
    const WindowID window = addWindow("Mail", {12, 13});
    EXPECT_TRUE(server.moveWindow(window, 22));
    EXPECT_EQ(server.spacesForWindows(SpaceMask::all, {window}), std::vector<SpaceID>{22});
    EXPECT_TRUE(server.isWindowOnScreen(window));
    EXPECT_FALSE(server.moveWindow(window, 999));
    EXPECT_FALSE(server.moveWindow(4242, 11));
    EXPECT_EQ(server.windowsOnSpace(22), std::vector<WindowID>{window});
}

TEST_F(WindowServerTest, UnreadableStateAnswersNothing) {
    server.setSpacesReadable(false);
    EXPECT_FALSE(server.managedDisplaySpaces());
    server.setWindowListReadable(false);
    EXPECT_FALSE(server.windowList(WindowListOption::all, 0));
    server.setConnectionAvailable(false);
    EXPECT_EQ(server.connectionID(), 0);
}

TEST_F(WindowServerTest, SpacesObserversHearEveryChangeOfTheLists) {
    int changes = 0;
    const auto token = server.addSpacesObserver([&] { ++changes; });
    server.setCurrentSpace("UUID-A", 12);
    server.addSpace("UUID-A");
    server.removeSpace(12);
    server.configureSpaces(true, {{"UUID-A", {desktop(11)}, 11}});
    EXPECT_EQ(changes, 4);
    server.removeSpacesObserver(token);
    server.addSpace("UUID-A");
    EXPECT_EQ(changes, 4);
}

TEST_F(WindowServerTest, LookupsOffTheMainThreadRaceSafelyWithEdits) {
    const WindowID window = addWindow("Mail", {11});
    std::atomic<bool> stop{false};
    std::atomic<int> reads{0};
    std::atomic<int> wellFormed{0};
    std::thread reader([&] {
        while (!stop) {
            const auto spaces = server.spacesForWindows(SpaceMask::all, {window});
            if (spaces && spaces->size() == 1) {
                ++wellFormed;
            }
            server.windowList(WindowListOption::onScreenOnly, 0);
            ++reads;
        }
    });
    // Edit for as long as it takes the reader to get 200 reads in among the edits.
    for (int i = 0; reads < 200; ++i) {
        server.moveWindow(window, i % 2 == 0 ? 12 : 11);
        server.setCurrentSpace("UUID-A", i % 2 == 0 ? 13 : 11);
        if (i % 30 == 0 && i < 3000) {
            addWindow("Notes", {12});
        }
    }
    stop = true;
    reader.join();
    // A window always sits on exactly one Space, whatever the reader caught mid-edit.
    EXPECT_EQ(wellFormed.load(), reads.load());
}

} // namespace
} // namespace tessarin
