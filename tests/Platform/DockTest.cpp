#include "Platform/Dock.h"

#include "Platform/DisplayServer.h"
#include "Platform/Input/EventSystem.h"
#include "Platform/WindowServer.h"
#include "Platform/WorkspaceNotificationCenter.h"
#include "Support/VirtualMainQueue.h"

#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <memory>

namespace tessarin {
namespace {

constexpr uint64_t kControl = EventFlags::maskControl;
constexpr uint16_t kKey1 = 18;
constexpr uint16_t kKey2 = 19;
constexpr uint16_t kKey3 = 20;
constexpr uint16_t kKey4 = 21;
constexpr uint16_t kLeftArrow = 123;
constexpr uint16_t kRightArrow = 124;
constexpr Point onA{700, 400};
constexpr Point onB{2000, 500};

ManagedSpace desktop(SpaceID id, int type = kSpaceTypeUserDesktop) {
    return ManagedSpace{id, type, ""};
}

// Display A (main, 1440x900) with Spaces 11, 12, a full-screen 13 and 14; display B (1920x1080,
// to the right) with Spaces 21, 22, 23.
class DockTest : public testing::Test {
public:
    DockTest()
        : displays(
              {Screen{1, "UUID-A", "Built-in", Rect(0, 0, 1440, 900), Rect(0, 0, 1440, 875), 2.0},
               Screen{2, "UUID-B", "Studio", Rect(1440, 0, 1920, 1080), Rect(1440, 0, 1920, 1055),
                      1.0}}) {
        windowServer.configureSpaces(
            true,
            {SpaceList{"UUID-A",
                       {desktop(11), desktop(12), desktop(13, kSpaceTypeFullScreen), desktop(14)},
                       11},
             SpaceList{"UUID-B", {desktop(21), desktop(22), desktop(23)}, 21}});
        dock->setSymbolicHotKeySource({[this](int hotKey) -> std::optional<SymbolicHotKeyValue> {
                                           const auto found = shortcuts.find(hotKey);
                                           return found == shortcuts.end()
                                                      ? std::nullopt
                                                      : std::optional(found->second);
                                       },
                                       [this](int hotKey) { return enabled[hotKey]; }});
    }

    SpaceID current(const std::string& list) { return windowServer.currentSpace(list).value_or(0); }

    void postSwitch(Point location, int64_t steps, std::optional<uint32_t> target = std::nullopt,
                    DockSwitchPostVariant variant = DockSwitchPostVariant::plain) {
        for (const Event& event :
             encodeDockSpaceSwitch(DockSpaceSwitchGesture{location, steps, target, variant})) {
            events.post(event);
        }
    }

    void bind(int hotKey, uint16_t keyCode, bool isEnabled = true) {
        shortcuts[hotKey] = SymbolicHotKeyValue{65535, keyCode, kControl};
        enabled[hotKey] = isEnabled;
    }

    VirtualMainQueue queue;
    ScopedMainQueue scopedQueue{queue};
    WorkspaceNotificationCenter notifications{queue};
    DisplayServer displays;
    WindowServer windowServer{displays, notifications};
    EventSystem events{queue};
    std::map<int, SymbolicHotKeyValue> shortcuts;
    std::map<int, bool> enabled;
    std::unique_ptr<Dock> dock = std::make_unique<Dock>(windowServer, displays, events, queue);
};

TEST_F(DockTest, switchLandsAfterTheAnimationOnTheDisplayUnderTheGesture) {
    postSwitch(onB, 2);
    queue.advance(0.29);
    EXPECT_EQ(current("UUID-B"), 21u);
    EXPECT_EQ(dock->pendingSwitchCount(), 1u);
    queue.advance(0.02);
    EXPECT_EQ(current("UUID-B"), 23u);
    EXPECT_EQ(current("UUID-A"), 11u);
    queue.runUntilIdle();
    EXPECT_EQ(notifications.postedCount(WorkspaceNotificationName::activeSpaceDidChange), 1u);
    ASSERT_EQ(dock->spaceChanges().size(), 1u);
    EXPECT_EQ(dock->spaceChanges()[0], (Dock::SpaceChange{"UUID-B", 21, 23, std::nullopt}));
    EXPECT_TRUE(events.frontApplicationEvents(EventType::dockGesture).empty());

    dock->setAnimationDuration(1.5);
    postSwitch(onA, 1);
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
        SpaceID onA;
        SpaceID onB;
    };
    const Case cases[] = {
        {"stop at the last Space", onA, {9}, std::nullopt, 14, 21},
        {"full-screen Spaces count as steps", onA, {2}, std::nullopt, 13, 21},
        {"posted together, landed in turn", onA, {1, 1}, std::nullopt, 13, 21},
        {"and back to the first", onA, {1, -9}, std::nullopt, 11, 21},
        {"the augmented form lands on its target", onB, {1}, 2u, 11, 23},
        {"a target past the list falls back to the steps", onB, {1}, 7u, 11, 22},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        windowServer.setCurrentSpace("UUID-A", 11);
        windowServer.setCurrentSpace("UUID-B", 21);
        for (int64_t steps : c.steps) {
            postSwitch(c.at, steps, c.target,
                       c.target ? DockSwitchPostVariant::augmented : DockSwitchPostVariant::plain);
        }
        queue.advance(0.5);
        EXPECT_EQ(current("UUID-A"), c.onA);
        EXPECT_EQ(current("UUID-B"), c.onB);
    }
    dock->setIgnoresGestures(true);
    postSwitch(onA, 1);
    queue.advance(0.5);
    EXPECT_EQ(current("UUID-A"), 11u);
    EXPECT_TRUE(events.frontApplicationEvents(EventType::dockGesture).empty()); // taken anyway
}

TEST_F(DockTest, userSwipeTurnsOneSpaceAgainstItsProgress) {
    events.physical().dockSwipe(GestureSwipeMotion::horizontal, {-0.4}, onA);
    queue.advance(0.5);
    EXPECT_EQ(current("UUID-A"), 12u);
}

// Desktop-N counts only desktops on the pointer's display; move shortcuts step one Space; a
// held shortcut acts once and its repeats are swallowed; other keys reach the application.
TEST_F(DockTest, enabledSystemShortcutsSwitchOnThePointersDisplayAndTakeTheirKeys) {
    namespace S = SymbolicHotKey;
    bind(S::switchToDesktop(1), kKey1, false);
    bind(S::switchToDesktop(3), kKey3);
    bind(S::switchToDesktop(4), kKey4);
    bind(S::moveLeftASpace, kLeftArrow);
    bind(S::moveRightASpace, kRightArrow);
    auto press = [&](uint16_t key, Point at, uint64_t flags = kControl) {
        displays.setCursorLocation(at);
        events.physical().pressKey(key, flags);
        queue.advance(0.5);
    };
    press(kKey3, onA);
    EXPECT_EQ(current("UUID-A"), 14u);
    press(kKey4, onB); // B has three Spaces
    EXPECT_EQ(current("UUID-B"), 21u);
    press(kRightArrow, onB);
    press(kRightArrow, onB);
    press(kLeftArrow, onB);
    EXPECT_EQ(current("UUID-B"), 22u);
    displays.setCursorLocation(onA);
    events.physical().keyDown(kLeftArrow, kControl);
    events.physical().keyDown(kLeftArrow, kControl, true);
    events.physical().keyUp(kLeftArrow, kControl);
    queue.advance(0.5);
    EXPECT_EQ(current("UUID-A"), 13u);
    EXPECT_TRUE(events.frontApplicationEvents(EventType::keyDown).empty());

    press(kKey1, onA);                                   // disabled
    press(kKey3, onA, kControl | EventFlags::maskShift); // another combination
    EXPECT_EQ(current("UUID-A"), 13u);
    EXPECT_EQ(events.frontApplicationEvents(EventType::keyDown).size(), 2u);
}

TEST_F(DockTest, desktopShortcutCarriesADraggedWindowButNotAPressedOne) {
    bind(SymbolicHotKey::switchToDesktop(2), kKey2);
    bind(SymbolicHotKey::switchToDesktop(1), kKey1);
    const WindowID window = windowServer.addWindow(
        ServerWindow{0, 501, "Notes", std::nullopt, Rect(100, 100, 400, 300), 0, 1.0, 1, {11}});
    auto spacesOfWindow = [&] {
        return windowServer.spacesForWindows(SpaceMask::all, {window})
            .value_or(std::vector<SpaceID>{});
    };
    displays.setCursorLocation(Point{200, 110});
    events.physical().mouseDown(Point{200, 110});
    events.physical().mouseUp(Point{200, 110});
    events.physical().pressKey(kKey2, kControl);
    queue.advance(0.5);
    EXPECT_EQ(current("UUID-A"), 12u);
    EXPECT_EQ(spacesOfWindow(), std::vector<SpaceID>{11});

    events.physical().pressKey(kKey1, kControl);
    queue.advance(0.5);
    events.physical().mouseDown(Point{200, 110});
    events.physical().mouseDrag(Point{240, 120});
    events.physical().pressKey(kKey2, kControl);
    queue.advance(0.5);
    EXPECT_EQ(current("UUID-A"), 12u);
    EXPECT_EQ(spacesOfWindow(), std::vector<SpaceID>{12});
    ASSERT_FALSE(dock->spaceChanges().empty());
    EXPECT_EQ(dock->spaceChanges().back().carriedWindow, window);
    events.physical().mouseUp(Point{240, 120});
    queue.runUntilIdle();
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
