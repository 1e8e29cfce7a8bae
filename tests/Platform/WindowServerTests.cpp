#include "Platform/DisplayServer.h"
#include "Platform/WindowServer.h"
#include "PlatformWorld.h"

#include <atomic>
#include <map>
#include <set>
#include <string>
#include <thread>

namespace tessarin {
namespace {

ManagedSpace desktop(SpaceID id) {
    return {id, kSpaceTypeUserDesktop, spaceUUIDString(id)};
}

class WindowServerTest : public HostWorld {
protected:
    WindowID addWindow(const std::string& owner, std::vector<SpaceID> spaces, int layer = 0,
                       bool sticky = false) {
        return server.addWindow(ServerWindow{
            0, 100, owner, owner, {100, 100, 800, 600}, layer, 1.0, 1, std::move(spaces), sticky});
    }
    std::vector<SpaceID> spacesOf(WindowID id) const {
        const auto window = server.window(id);
        return window ? window->spaces : std::vector<SpaceID>{};
    }
    std::vector<WindowID> numbers(uint32_t options) const {
        std::vector<WindowID> result;
        for (const WindowInfo& info :
             server.windowList(options, 0).value_or(std::vector<WindowInfo>{})) {
            result.push_back(info.number);
        }
        return result;
    }

    WindowServer& server = host.windowServer();
};

TEST_F(WindowServerTest, ActiveSpaceIsTheCurrentSpaceOfTheActiveMenuBarDisplay) {
    EXPECT_EQ(server.activeMenuBarDisplayIdentifier(), "UUID-A");
    EXPECT_EQ(server.activeSpace(), 11u);
    server.setActiveMenuBarDisplay(2);
    EXPECT_EQ(server.activeMenuBarDisplayIdentifier(), "UUID-B");
    EXPECT_EQ(server.activeSpace(), 21u);
    // A display that goes away hands the menu bar back to the main screen.
    host.displays().setScreens({host.displays().screens().front()});
    EXPECT_EQ(server.activeMenuBarDisplay(), 1u);
    // A current Space that is not in its list falls back to the first.
    server.configureSpaces(true, {{"UUID-A", {desktop(5), desktop(6)}, 99}});
    EXPECT_EQ(server.activeSpace(), 5u);
}

// Front to back by layer, the newest first within one; on screen are the windows of current
// Spaces and sticky ones, unless ordered out. The options are the ones the product asks with.
TEST_F(WindowServerTest, WindowListShowsCurrentSpacesAndStickyWindowsFrontToBack) {
    const WindowID back = addWindow("Finder", {11});
    const WindowID front = addWindow("Safari", {11});
    const WindowID other = addWindow("Mail", {12});
    const WindowID onB = addWindow("Notes", {21});
    const WindowID sticky = addWindow("Clock", {12}, 0, true);
    const WindowID hidden = addWindow("Terminal", {11});
    server.setWindowOrderedOut(hidden, true);
    const WindowID icons = addWindow("Finder", {11}, -2147483603); // desktop elements
    const WindowID extra = addWindow("Control Center", {11}, 25);
    namespace L = WindowListOption;
    EXPECT_EQ(numbers(L::all),
              (std::vector{extra, hidden, sticky, onB, other, front, back, icons}));
    EXPECT_EQ(numbers(L::onScreenOnly | L::excludeDesktopElements),
              (std::vector{extra, sticky, onB, front, back}));
    ASSERT_TRUE(server.setCurrentSpace("UUID-A", 12));
    EXPECT_EQ(numbers(L::onScreenOnly), (std::vector{sticky, onB, other}));
}

// Windows taken together, front to back, stand and are numbered as if added one by one from the
// back; lookups by number follow every addition, removal and reordering.
TEST_F(WindowServerTest, WindowsAddedTogetherStandAsIfAddedOneByOne) {
    const auto given = [](WindowID number, const std::string& owner, int layer) {
        return ServerWindow{number, 100, owner, owner, {0, 0, 80, 60}, layer, 1.0, 1, {11}, false};
    };
    const WindowID older = addWindow("Older", {11});
    // 0 and a number already taken get fresh ones; of two 40s the back one keeps it.
    server.addWindows(
        {given(0, "A", 0), given(older, "B", 25), given(40, "C", 0), given(40, "D", -5)});
    std::vector<std::string> owners;
    std::map<std::string, WindowID> numberOf;
    for (const ServerWindow& window : server.windows()) {
        owners.push_back(window.ownerName);
        numberOf[window.ownerName] = window.number;
    }
    EXPECT_EQ(owners, (std::vector<std::string>{"B", "A", "C", "Older", "D"}));
    EXPECT_EQ(numberOf["D"], 40u);
    EXPECT_EQ(std::set<WindowID>({numberOf["A"], numberOf["B"], numberOf["C"], older, 40}).size(),
              5u);
    const auto ownerOf = [this](WindowID number) {
        const auto window = server.window(number);
        return window ? window->ownerName : std::string("none");
    };
    EXPECT_EQ(ownerOf(numberOf["A"]), "A");
    ASSERT_TRUE(server.orderFront(older));
    EXPECT_EQ(ownerOf(numberOf["A"]), "A");
    ASSERT_TRUE(server.removeWindow(numberOf["C"]));
    EXPECT_EQ(ownerOf(numberOf["C"]), "none");
    EXPECT_EQ(ownerOf(40), "D");
    EXPECT_EQ(ownerOf(addWindow("E", {11})), "E");
}

TEST_F(WindowServerTest, ChangingTheCurrentSpacePostsTheNotificationOnALaterTurn) {
    std::size_t heard = 0;
    auto token = host.notifications().addObserver(WorkspaceNotificationName::activeSpaceDidChange,
                                                  [&](const WorkspaceNotification&) { ++heard; });
    EXPECT_TRUE(server.setCurrentSpace("UUID-B", 22));
    EXPECT_EQ(current("UUID-B"), 22u);
    queue.runUntilIdle();
    EXPECT_EQ(heard, 1u);

    EXPECT_TRUE(server.setCurrentSpace("UUID-B", 22));  // already there: no change, no news
    EXPECT_FALSE(server.setCurrentSpace("UUID-B", 11)); // another display's Space
    EXPECT_FALSE(server.setCurrentSpace("UUID-Z", 11));
    queue.runUntilIdle();
    EXPECT_EQ(heard, 1u);
    EXPECT_EQ(current("UUID-A"), 11u);
}

// Added Spaces get fresh IDs at the end of their list; a removed one hands its windows and the
// focus to the first desktop.
TEST_F(WindowServerTest, AddingAndRemovingSpaces) {
    const auto added = server.addSpace("UUID-B");
    ASSERT_TRUE(added);
    EXPECT_EQ(spaceIDs("UUID-B"), (std::vector<SpaceID>{21, 22, *added}));
    EXPECT_NE(server.addSpace("UUID-A"), added);
    EXPECT_FALSE(server.addSpace("UUID-Z"));

    const WindowID mail = addWindow("Mail", {14});
    const WindowID both = addWindow("Notes", {12, 14});
    ASSERT_TRUE(server.setCurrentSpace("UUID-A", 14));
    ASSERT_TRUE(server.removeSpace(14));
    EXPECT_EQ(spacesOf(mail), std::vector<SpaceID>{11});
    EXPECT_EQ(spacesOf(both), std::vector<SpaceID>{12});
    EXPECT_EQ(current("UUID-A"), 11u);
    queue.runUntilIdle();
    EXPECT_EQ(host.notifications().postedCount(WorkspaceNotificationName::activeSpaceDidChange),
              2u);
    EXPECT_FALSE(server.removeSpace(14));
}

// Which list holds a Space is kept as an index: it follows every edit of the lists.
TEST_F(WindowServerTest, TheListOfASpaceFollowsAddsRemovesAndNewConfigurations) {
    EXPECT_EQ(server.spaceListIdentifierOfSpace(21), "UUID-B");
    const auto added = server.addSpace("UUID-B");
    ASSERT_TRUE(added);
    EXPECT_EQ(server.spaceListIdentifierOfSpace(*added), "UUID-B");
    ASSERT_TRUE(server.removeSpace(*added));
    EXPECT_EQ(server.spaceListIdentifierOfSpace(*added), std::nullopt);
    server.configureSpaces(
        true, {SpaceList{"UUID-A", {desktop(21)}, 21}, SpaceList{"UUID-B", {desktop(11)}, 11}});
    EXPECT_EQ(server.spaceListIdentifierOfSpace(21), "UUID-A");
    EXPECT_EQ(server.spaceListIdentifierOfSpace(11), "UUID-B");
    EXPECT_EQ(server.spaceListIdentifierOfSpace(12), std::nullopt);
}

// Windows and focus never land on a full-screen Space, and a list keeps its last desktop.
TEST_F(WindowServerTest, FullScreenSpacesNeitherTakeWindowsNorCountAsDesktops) {
    server.configureSpaces(
        true, {{"UUID-A", {{1, kSpaceTypeFullScreen, "FS"}, desktop(2), desktop(3)}, 3}});
    const WindowID window = addWindow("Mail", {3});
    ASSERT_TRUE(server.removeSpace(3));
    EXPECT_EQ(spacesOf(window), std::vector<SpaceID>{2});
    EXPECT_EQ(current("UUID-A"), 2u);
    EXPECT_FALSE(server.removeSpace(2));
    EXPECT_TRUE(server.removeSpace(1));
}

TEST_F(WindowServerTest, SpacesForWindowsFollowsTheMaskAndMovesPutAWindowOnOneSpace) {
    const WindowID current = addWindow("Safari", {11});
    const WindowID other = addWindow("Mail", {12, 22});
    const WindowID sticky = addWindow("Clock", {22}, 0, true);
    using M = std::vector<SpaceID>;
    namespace S = SpaceMask;
    EXPECT_EQ(server.spacesForWindows(S::all, {current, other, current}), (M{11, 12, 22}));
    EXPECT_EQ(server.spacesForWindows(S::includesCurrent | S::includesUser, {current, other}),
              M{11});
    EXPECT_EQ(server.spacesForWindows(S::includesOthers | S::includesUser, {current, other}),
              (M{12, 22}));
    EXPECT_EQ(server.spacesForWindows(S::all, {sticky}), (M{21, 22})); // all of B
    EXPECT_EQ(server.spacesForWindows(S::all, {4242}), M{});

    EXPECT_TRUE(server.moveWindow(other, 21));
    EXPECT_EQ(spacesOf(other), M{21});
    EXPECT_TRUE(server.isWindowOnScreen(other));
    EXPECT_FALSE(server.moveWindow(other, 999));
    EXPECT_FALSE(server.moveWindow(4242, 11));
}

TEST_F(WindowServerTest, LookupsOffTheMainThreadRaceSafelyWithEdits) {
    const WindowID window = addWindow("Mail", {11});
    std::atomic<bool> stop{false};
    std::atomic<int> reads{0};
    std::atomic<int> wellFormed{0};
    std::thread reader([&] {
        while (!stop) {
            const auto spaces = server.spacesForWindows(SpaceMask::all, {window});
            wellFormed += spaces && spaces->size() == 1 ? 1 : 0;
            server.windowList(WindowListOption::onScreenOnly, 0);
            ++reads;
        }
    });
    // Edit until the reader got 200 reads in among the edits, or give up after many edits.
    for (int i = 0; reads < 200 && i < 2'000'000; ++i) {
        server.moveWindow(window, i % 2 == 0 ? 12 : 11);
        server.setCurrentSpace("UUID-A", i % 2 == 0 ? 14 : 11);
        if (i % 30 == 0 && i < 3000) {
            addWindow("Notes", {12});
        }
    }
    stop = true;
    reader.join();
    // A window always sits on exactly one Space, whatever the reader caught mid-edit.
    EXPECT_GT(reads.load(), 0);
    EXPECT_EQ(wellFormed.load(), reads.load());
}

} // namespace
} // namespace tessarin
