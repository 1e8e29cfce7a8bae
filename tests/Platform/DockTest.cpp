#include "Platform/Dock.h"

#include "Platform/DisplayServer.h"
#include "Platform/Input/EventSystem.h"
#include "Platform/WindowServer.h"
#include "Platform/WorkspaceNotificationCenter.h"
#include "Support/VirtualMainQueue.h"

#include <gtest/gtest.h>
#include <map>
#include <memory>

namespace tessarin {
namespace {

constexpr uint16_t kKeyCode1 = 18;
constexpr uint16_t kKeyCode3 = 20;
constexpr uint16_t kLeftArrow = 123;
constexpr uint16_t kRightArrow = 124;

// Display A (main, 1440x900) with Spaces 11, 12, a full-screen 13 and 14; display B (1920x1080,
// to the right) with Spaces 21, 22, 23.
std::vector<Screen> twoScreens() {
    Screen a{1, "UUID-A", "Built-in", Rect(0, 0, 1440, 900), Rect(0, 0, 1440, 875), 2.0};
    Screen b{2, "UUID-B", "Studio", Rect(1440, 0, 1920, 1080), Rect(1440, 0, 1920, 1055), 1.0};
    return {a, b};
}

ManagedSpace desktop(SpaceID id) {
    return ManagedSpace{id, kSpaceTypeUserDesktop, ""};
}

class DockTest : public testing::Test {
protected:
    DockTest()
        : notifications(queue), displays(twoScreens()), windowServer(displays, notifications),
          events(queue) {
        windowServer.configureSpaces(
            true, {SpaceList{"UUID-A",
                             {desktop(11), desktop(12), ManagedSpace{13, kSpaceTypeFullScreen, ""},
                              desktop(14)},
                             11},
                   SpaceList{"UUID-B", {desktop(21), desktop(22), desktop(23)}, 21}});
        dock = std::make_unique<Dock>(windowServer, displays, events, queue);
        dock->setSymbolicHotKeySource({[this](int hotKey) -> std::optional<SymbolicHotKeyValue> {
                                           auto found = shortcuts.find(hotKey);
                                           if (found == shortcuts.end()) {
                                               return std::nullopt;
                                           }
                                           return found->second;
                                       },
                                       [this](int hotKey) { return enabled[hotKey]; }});
    }

    SpaceID current(const std::string& list) { return windowServer.currentSpace(list).value(); }

    void postSwitch(Point location, int64_t steps, std::optional<uint32_t> target = std::nullopt,
                    DockSwitchPostVariant variant = DockSwitchPostVariant::plain) {
        for (const Event& event :
             encodeDockSpaceSwitch(DockSpaceSwitchGesture{location, steps, target, variant})) {
            events.post(event);
        }
    }

    void bindShortcut(int hotKey, uint16_t keyCode, uint64_t flags, bool isEnabled = true) {
        shortcuts[hotKey] = SymbolicHotKeyValue{65535, keyCode, flags};
        enabled[hotKey] = isEnabled;
    }

    static constexpr Point onA{700, 400};
    static constexpr Point onB{2000, 500};

    VirtualMainQueue queue;
    ScopedMainQueue scopedQueue{queue};
    WorkspaceNotificationCenter notifications;
    DisplayServer displays;
    WindowServer windowServer;
    EventSystem events;
    std::map<int, SymbolicHotKeyValue> shortcuts;
    std::map<int, bool> enabled;
    std::unique_ptr<Dock> dock;
};

TEST_F(DockTest, switchLandsAfterTheAnimationOnTheDisplayUnderTheGesture) {
    postSwitch(onB, 2);
    queue.advance(0.29);
    EXPECT_EQ(current("UUID-B"), 21u);
    EXPECT_EQ(dock->pendingSwitchCount(), 1u);
    queue.advance(0.02);
    EXPECT_EQ(current("UUID-B"), 23u);
    EXPECT_EQ(current("UUID-A"), 11u);
    EXPECT_EQ(dock->pendingSwitchCount(), 0u);
    queue.runUntilIdle();
    EXPECT_EQ(notifications.postedCount(WorkspaceNotificationName::activeSpaceDidChange), 1u);
    ASSERT_EQ(dock->spaceChanges().size(), 1u);
    EXPECT_EQ(dock->spaceChanges()[0], (Dock::SpaceChange{"UUID-B", 21, 23, std::nullopt}));
}

TEST_F(DockTest, gestureEventsNeverReachTheFrontApplication) {
    postSwitch(onA, 1);
    queue.advance(1.0);
    EXPECT_TRUE(events.frontApplicationEvents(EventType::dockGesture).empty());
}

TEST_F(DockTest, ignoredGesturesAreTakenButChangeNothing) {
    dock->setIgnoresGestures(true);
    postSwitch(onA, 1);
    queue.advance(2.0);
    EXPECT_EQ(current("UUID-A"), 11u);
    EXPECT_EQ(dock->receivedGestureCount(), 1u);
    EXPECT_TRUE(events.frontApplicationEvents(EventType::dockGesture).empty());
}

TEST_F(DockTest, longerAnimationDelaysTheSwitch) {
    dock->setAnimationDuration(1.5);
    postSwitch(onA, 1);
    queue.advance(1.4);
    EXPECT_EQ(current("UUID-A"), 11u);
    queue.advance(0.2);
    EXPECT_EQ(current("UUID-A"), 12u);
}

TEST_F(DockTest, swipesStopAtTheEndsOfTheList) {
    postSwitch(onA, 9);
    queue.advance(0.5);
    EXPECT_EQ(current("UUID-A"), 14u);
    postSwitch(onA, -9);
    queue.advance(0.5);
    EXPECT_EQ(current("UUID-A"), 11u);
}

TEST_F(DockTest, fullScreenSpacesCountAsSteps) {
    postSwitch(onA, 2);
    queue.advance(0.5);
    EXPECT_EQ(current("UUID-A"), 13u);
}

TEST_F(DockTest, switchesPostedTogetherLandOneAfterTheOther) {
    postSwitch(onA, 1);
    postSwitch(onA, 1);
    queue.advance(0.5);
    EXPECT_EQ(current("UUID-A"), 13u);
}

TEST_F(DockTest, augmentedSwitchLandsOnItsTargetWhateverTheSteps) {
    postSwitch(onB, 1, 2u, DockSwitchPostVariant::augmented);
    queue.advance(0.5);
    EXPECT_EQ(current("UUID-B"), 23u);
    // A target past the list falls back to the steps.
    postSwitch(onB, -1, 7u, DockSwitchPostVariant::augmented);
    queue.advance(0.5);
    EXPECT_EQ(current("UUID-B"), 22u);
}

TEST_F(DockTest, gestureOffEveryDisplayChangesNothing) {
    postSwitch(Point{-500, -500}, 1);
    queue.advance(0.5);
    EXPECT_EQ(current("UUID-A"), 11u);
    EXPECT_EQ(current("UUID-B"), 21u);
    EXPECT_TRUE(dock->spaceChanges().empty());
}

TEST_F(DockTest, sharedSpacesTurnFromEitherDisplay) {
    windowServer.configureSpaces(false, {SpaceList{"Main", {desktop(1), desktop(2)}, 1}});
    postSwitch(onB, 1);
    queue.advance(0.5);
    EXPECT_EQ(current("Main"), 2u);
}

TEST_F(DockTest, userSwipeTurnsOneSpaceAgainstItsProgress) {
    events.physical().dockSwipe(GestureSwipeMotion::horizontal, {-0.4}, onA);
    queue.advance(0.5);
    EXPECT_EQ(current("UUID-A"), 12u);
    // A flick too short to count does nothing.
    events.physical().dockSwipe(GestureSwipeMotion::horizontal, {0.05}, onA);
    queue.advance(0.5);
    EXPECT_EQ(current("UUID-A"), 12u);
}

TEST_F(DockTest, cancelledSwipeDoesNothing) {
    auto gesture = encodeDockSpaceSwitch(
        DockSpaceSwitchGesture{onA, 1, std::nullopt, DockSwitchPostVariant::plain});
    gesture.back().setIntegerValue(EventField::gesturePhase, GesturePhase::cancelled);
    for (const Event& event : gesture) {
        events.post(event);
    }
    queue.advance(0.5);
    EXPECT_EQ(current("UUID-A"), 11u);
}

TEST_F(DockTest, verticalSwipesOpenAndCloseMissionControl) {
    events.physical().dockSwipe(GestureSwipeMotion::vertical, {-0.5}, onA);
    queue.runUntilIdle();
    EXPECT_TRUE(windowServer.isMissionControlOpen());
    events.physical().dockSwipe(GestureSwipeMotion::vertical, {0.5}, onA);
    queue.runUntilIdle();
    EXPECT_FALSE(windowServer.isMissionControlOpen());
}

TEST_F(DockTest, enabledDesktopShortcutSwitchesTheCursorDisplayAndTakesTheKeys) {
    bindShortcut(SymbolicHotKey::switchToDesktop(3), kKeyCode3, EventFlags::maskControl);
    displays.setCursorLocation(onA);
    events.physical().pressKey(kKeyCode3, EventFlags::maskControl);
    queue.advance(0.5);
    // Desktop 3 is the third user desktop: the full-screen Space does not count.
    EXPECT_EQ(current("UUID-A"), 14u);
    EXPECT_TRUE(events.frontApplicationEvents(EventType::keyDown).empty());
    EXPECT_TRUE(events.frontApplicationEvents(EventType::keyUp).empty());
}

TEST_F(DockTest, disabledOrDifferentShortcutReachesTheApplication) {
    bindShortcut(SymbolicHotKey::switchToDesktop(1), kKeyCode1, EventFlags::maskControl, false);
    bindShortcut(SymbolicHotKey::switchToDesktop(3), kKeyCode3, EventFlags::maskControl);
    displays.setCursorLocation(onB);
    windowServer.setCurrentSpace("UUID-B", 22);
    events.physical().pressKey(kKeyCode1, EventFlags::maskControl);
    events.physical().pressKey(kKeyCode3, EventFlags::maskControl | EventFlags::maskShift);
    queue.advance(0.5);
    EXPECT_EQ(current("UUID-B"), 22u);
    EXPECT_EQ(events.frontApplicationEvents(EventType::keyDown).size(), 2u);
}

TEST_F(DockTest, heldShortcutActsOnceButSwallowsItsRepeats) {
    bindShortcut(SymbolicHotKey::moveRightASpace, kRightArrow, EventFlags::maskControl);
    displays.setCursorLocation(onA);
    events.physical().keyDown(kRightArrow, EventFlags::maskControl);
    events.physical().keyDown(kRightArrow, EventFlags::maskControl, true);
    events.physical().keyDown(kRightArrow, EventFlags::maskControl, true);
    events.physical().keyUp(kRightArrow, EventFlags::maskControl);
    queue.advance(0.5);
    EXPECT_EQ(current("UUID-A"), 12u);
    EXPECT_TRUE(events.frontApplicationEvents(EventType::keyDown).empty());
}

TEST_F(DockTest, withoutShortcutSourceKeysPassThrough) {
    dock->setSymbolicHotKeySource({});
    displays.setCursorLocation(onA);
    events.physical().pressKey(kRightArrow, EventFlags::maskControl);
    queue.advance(0.5);
    EXPECT_EQ(current("UUID-A"), 11u);
    EXPECT_EQ(events.frontApplicationEvents(EventType::keyDown).size(), 1u);
}

TEST_F(DockTest, desktopBeyondTheListSwitchesNothing) {
    bindShortcut(SymbolicHotKey::switchToDesktop(4), 21, EventFlags::maskControl);
    displays.setCursorLocation(onB);
    events.physical().pressKey(21, EventFlags::maskControl);
    queue.advance(0.5);
    EXPECT_EQ(current("UUID-B"), 21u);
    EXPECT_TRUE(dock->spaceChanges().empty());
}

TEST_F(DockTest, moveShortcutsStepOneSpace) {
    bindShortcut(SymbolicHotKey::moveRightASpace, kRightArrow, EventFlags::maskControl);
    bindShortcut(SymbolicHotKey::moveLeftASpace, kLeftArrow, EventFlags::maskControl);
    displays.setCursorLocation(onB);
    events.physical().pressKey(kRightArrow, EventFlags::maskControl);
    queue.advance(0.5);
    EXPECT_EQ(current("UUID-B"), 22u);
    events.physical().pressKey(kLeftArrow, EventFlags::maskControl);
    events.physical().pressKey(kLeftArrow, EventFlags::maskControl);
    queue.advance(0.5);
    EXPECT_EQ(current("UUID-B"), 21u);
}

TEST_F(DockTest, desktopShortcutCarriesTheDraggedWindow) {
    const WindowID window = windowServer.addWindow(ServerWindow{
        0, 501, "Notes", std::string("Draft"), Rect(100, 100, 400, 300), 0, 1.0, 1, {11}});
    bindShortcut(SymbolicHotKey::switchToDesktop(2), 19, EventFlags::maskControl);
    displays.setCursorLocation(Point{200, 110});
    events.physical().mouseDown(Point{200, 110});
    events.physical().mouseDrag(Point{240, 120});
    events.physical().pressKey(19, EventFlags::maskControl);
    queue.advance(0.5);
    EXPECT_EQ(current("UUID-A"), 12u);
    EXPECT_EQ(windowServer.window(window)->spaces, std::vector<SpaceID>{12});
    ASSERT_EQ(dock->spaceChanges().size(), 1u);
    EXPECT_EQ(dock->spaceChanges()[0].carriedWindow, window);
    events.physical().mouseUp(Point{240, 120});
    queue.runUntilIdle();
}

TEST_F(DockTest, pressWithoutDragLeavesTheWindowBehind) {
    const WindowID window = windowServer.addWindow(
        ServerWindow{0, 501, "Notes", std::nullopt, Rect(100, 100, 400, 300), 0, 1.0, 1, {11}});
    bindShortcut(SymbolicHotKey::switchToDesktop(2), 19, EventFlags::maskControl);
    displays.setCursorLocation(Point{200, 110});
    events.physical().mouseDown(Point{200, 110});
    events.physical().mouseUp(Point{200, 110});
    events.physical().pressKey(19, EventFlags::maskControl);
    queue.advance(0.5);
    EXPECT_EQ(current("UUID-A"), 12u);
    EXPECT_EQ(windowServer.window(window)->spaces, std::vector<SpaceID>{11});
}

TEST_F(DockTest, destroyedDockLandsNothing) {
    postSwitch(onA, 1);
    queue.runUntilIdle();
    dock.reset();
    queue.advance(1.0);
    EXPECT_EQ(current("UUID-A"), 11u);
}

} // namespace
} // namespace tessarin
