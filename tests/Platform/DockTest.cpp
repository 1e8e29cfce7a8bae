#include "Platform/Dock.h"

#include "Platform/DisplayServer.h"
#include "Platform/DockSwipeGesture.h"
#include "Platform/Input/EventSystem.h"
#include "Platform/SymbolicHotKeyTable.h"
#include "Platform/WorkspaceNotificationCenter.h"
#include "PlatformWorld.h"

#include <memory>

namespace tessarin {
namespace {

constexpr uint64_t kControl = EventFlags::maskControl;
constexpr uint16_t kKey1 = 18, kKey2 = 19, kKey3 = 20, kLeftArrow = 123, kRightArrow = 124;

class DockTest : public HostWorld {
protected:
    void postSwitch(Point at, int64_t steps, std::optional<uint32_t> target = std::nullopt) {
        const auto variant =
            target ? DockSwitchPostVariant::augmented : DockSwitchPostVariant::plain;
        for (const Event& event :
             encodeDockSpaceSwitch(DockSpaceSwitchGesture{at, steps, target, variant})) {
            host.events().post(event);
        }
    }
    void bind(int hotKey, uint16_t keyCode, bool enabled = true) {
        host.symbolicHotKeys().set(hotKey, SymbolicHotKeyValue{65535, keyCode, kControl}, enabled);
    }
    void press(uint16_t key, Point at, uint64_t flags = kControl) {
        host.displays().setCursorLocation(at);
        host.events().physical().pressKey(key, flags);
        queue.advance(0.5);
    }
    Dock& dock() { return host.dock(); }
};

TEST_F(DockTest, switchLandsAfterTheAnimationOnTheDisplayUnderTheGesture) {
    postSwitch(kOnB, 1);
    queue.advance(0.29);
    EXPECT_EQ(current("UUID-B"), 21u);
    EXPECT_EQ(dock().pendingSwitchCount(), 1u);
    queue.advance(0.02);
    EXPECT_EQ(current("UUID-B"), 22u);
    EXPECT_EQ(current("UUID-A"), 11u);
    ASSERT_EQ(dock().spaceChanges().size(), 1u);
    EXPECT_EQ(dock().spaceChanges()[0], (Dock::SpaceChange{"UUID-B", 21, 22, std::nullopt}));
    EXPECT_TRUE(host.events().frontApplicationEvents(EventType::dockGesture).empty());

    dock().setAnimationDuration(1.5);
    postSwitch(kOnA, 1);
    queue.advance(1.4);
    EXPECT_EQ(current("UUID-A"), 11u);
    queue.advance(0.2);
    EXPECT_EQ(current("UUID-A"), 12u);
}

// Each row posts its switches together; the Dock takes them and lands them one after another.
TEST_F(DockTest, switchesStepThroughEverySpaceAndStopAtTheEnds) {
    struct Case {
        const char* name;
        Point at;
        std::vector<int64_t> steps;
        std::optional<uint32_t> target;
        SpaceID onA, onB;
    };
    const Case cases[] = {
        {"stop at the last Space", kOnA, {9}, std::nullopt, 14, 21},
        {"full-screen Spaces count as steps", kOnA, {2}, std::nullopt, 13, 21},
        {"posted together, landed in turn", kOnA, {1, 1}, std::nullopt, 13, 21},
        {"and back to the first", kOnA, {1, -9}, std::nullopt, 11, 21},
        {"the augmented form lands on its target", kOnA, {1}, 3u, 14, 21},
        {"a target past the list falls back to the steps", kOnB, {1}, 7u, 11, 22},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        host.windowServer().setCurrentSpace("UUID-A", 11);
        host.windowServer().setCurrentSpace("UUID-B", 21);
        for (int64_t steps : c.steps) {
            postSwitch(c.at, steps, c.target);
        }
        queue.advance(0.5);
        EXPECT_EQ(current("UUID-A"), c.onA);
        EXPECT_EQ(current("UUID-B"), c.onB);
    }
    dock().setIgnoresGestures(true);
    postSwitch(kOnA, 1);
    queue.advance(0.5);
    EXPECT_EQ(current("UUID-A"), 11u);
    EXPECT_TRUE(host.events().frontApplicationEvents(EventType::dockGesture).empty());
}

TEST_F(DockTest, userSwipeTurnsOneSpaceAgainstItsProgress) {
    host.events().physical().dockSwipe(GestureSwipeMotion::horizontal, {-0.4}, kOnA);
    queue.advance(0.5);
    EXPECT_EQ(current("UUID-A"), 12u);
}

// Desktop-N counts only desktops on the pointer's display; move shortcuts step one Space; a
// held shortcut acts once and its repeats are swallowed; other keys reach the application.
TEST_F(DockTest, enabledSystemShortcutsSwitchOnThePointersDisplayAndTakeTheirKeys) {
    namespace S = SymbolicHotKey;
    bind(S::switchToDesktop(1), kKey1, false);
    bind(S::switchToDesktop(3), kKey3);
    bind(S::moveLeftASpace, kLeftArrow);
    bind(S::moveRightASpace, kRightArrow);
    press(kKey3, kOnA);
    EXPECT_EQ(current("UUID-A"), 14u);
    press(kKey3, kOnB); // B has two Spaces
    EXPECT_EQ(current("UUID-B"), 21u);
    press(kRightArrow, kOnB);
    press(kRightArrow, kOnB);
    EXPECT_EQ(current("UUID-B"), 22u);
    auto& input = host.events().physical();
    host.displays().setCursorLocation(kOnA);
    input.keyDown(kLeftArrow, kControl);
    input.keyDown(kLeftArrow, kControl, true);
    input.keyUp(kLeftArrow, kControl);
    queue.advance(0.5);
    EXPECT_EQ(current("UUID-A"), 13u);
    EXPECT_TRUE(host.events().frontApplicationEvents(EventType::keyDown).empty());

    press(kKey1, kOnA);                                   // disabled
    press(kKey3, kOnA, kControl | EventFlags::maskShift); // another combination
    EXPECT_EQ(current("UUID-A"), 13u);
    EXPECT_EQ(host.events().frontApplicationEvents(EventType::keyDown).size(), 2u);
}

TEST_F(DockTest, desktopShortcutCarriesADraggedWindowButNotAPressedOne) {
    bind(SymbolicHotKey::switchToDesktop(2), kKey2);
    bind(SymbolicHotKey::switchToDesktop(1), kKey1);
    const WindowID window = host.windowServer().addWindow(
        ServerWindow{0, 501, "Notes", std::nullopt, Rect(100, 100, 400, 300), 0, 1.0, 1, {11}});
    auto spacesOfWindow = [&] {
        return host.windowServer()
            .spacesForWindows(SpaceMask::all, {window})
            .value_or(std::vector<SpaceID>{});
    };
    auto& input = host.events().physical();
    input.mouseDown(Point{200, 110}); // held but not dragged
    press(kKey2, Point{200, 110});
    EXPECT_EQ(current("UUID-A"), 12u);
    EXPECT_EQ(spacesOfWindow(), std::vector<SpaceID>{11});

    input.mouseUp(Point{200, 110});
    press(kKey1, Point{200, 110});
    input.mouseDown(Point{200, 110});
    input.mouseDrag(Point{240, 120});
    press(kKey2, Point{240, 120});
    EXPECT_EQ(current("UUID-A"), 12u);
    EXPECT_EQ(spacesOfWindow(), std::vector<SpaceID>{12});
    ASSERT_FALSE(dock().spaceChanges().empty());
    EXPECT_EQ(dock().spaceChanges().back().carriedWindow, window);
    input.mouseUp(Point{240, 120});
    queue.runUntilIdle();
}

// A switch still animating when its Dock goes must not land (nor touch the Dock).
TEST(DockLifetimeTest, destroyedDockLandsNothing) {
    VirtualMainQueue queue;
    WorkspaceNotificationCenter notifications{queue};
    DisplayServer displays{twoDisplays().displays};
    WindowServer windowServer{displays, notifications};
    windowServer.configureSpaces(true, {{"UUID-A", {{11, 0, ""}, {12, 0, ""}}, 11}});
    EventSystem events{queue};
    auto dock = std::make_unique<Dock>(windowServer, displays, events, queue);
    for (const Event& event : encodeDockSpaceSwitch({kOnA, 1, std::nullopt, {}})) {
        events.post(event);
    }
    queue.runUntilIdle();
    dock.reset();
    queue.advance(1.0);
    EXPECT_EQ(windowServer.currentSpace("UUID-A"), 11u);
}

} // namespace
} // namespace tessarin
