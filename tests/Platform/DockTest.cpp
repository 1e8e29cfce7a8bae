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

struct DockCase {
    const char* name;
    std::function<void(DockTest&)> act;
    SpaceID onA;
    SpaceID onB;
    std::size_t keyDownsReachingTheApplication = 0;
};

class DockActionTest : public DockTest, public testing::WithParamInterface<DockCase> {};

TEST_P(DockActionTest, landsWhereTheDockWould) {
    GetParam().act(*this);
    queue.advance(0.5);
    EXPECT_EQ(current("UUID-A"), GetParam().onA);
    EXPECT_EQ(current("UUID-B"), GetParam().onB);
    EXPECT_EQ(events.frontApplicationEvents(EventType::keyDown).size(),
              GetParam().keyDownsReachingTheApplication);
    EXPECT_TRUE(events.frontApplicationEvents(EventType::dockGesture).empty());
}

void press(DockTest& t, uint16_t key, Point at, uint64_t flags = kControl) {
    t.displays.setCursorLocation(at);
    t.events.physical().pressKey(key, flags);
}

namespace S = SymbolicHotKey;
using V = DockSwitchPostVariant;

INSTANTIATE_TEST_SUITE_P(
    Table, DockActionTest,
    testing::Values(
        DockCase{"swipesStopAtTheLastSpace", [](DockTest& t) { t.postSwitch(onA, 9); }, 14, 21},
        DockCase{"fullScreenSpacesCountAsSteps", [](DockTest& t) { t.postSwitch(onA, 2); }, 13, 21},
        DockCase{"switchesPostedTogetherLandOneAfterTheOther",
                 [](DockTest& t) {
                     t.postSwitch(onA, 1);
                     t.postSwitch(onA, 1);
                 },
                 13, 21},
        DockCase{"augmentedSwitchLandsOnItsTarget",
                 [](DockTest& t) { t.postSwitch(onB, 1, 2u, V::augmented); }, 11, 23},
        DockCase{"augmentedTargetPastTheListFallsBackToTheSteps",
                 [](DockTest& t) { t.postSwitch(onB, 1, 7u, V::augmented); }, 11, 22},
        DockCase{"ignoredGesturesAreTakenButChangeNothing",
                 [](DockTest& t) {
                     t.dock->setIgnoresGestures(true);
                     t.postSwitch(onA, 1);
                 },
                 11, 21},
        DockCase{"userSwipeTurnsOneSpaceAgainstItsProgress",
                 [](DockTest& t) {
                     t.events.physical().dockSwipe(GestureSwipeMotion::horizontal, {-0.4}, onA);
                 },
                 12, 21},
        DockCase{"desktopShortcutCountsOnlyDesktopsOnThePointersDisplay",
                 [](DockTest& t) {
                     t.bind(S::switchToDesktop(3), kKey3);
                     press(t, kKey3, onA);
                 },
                 14, 21},
        DockCase{"disabledOrDifferentShortcutReachesTheApplication",
                 [](DockTest& t) {
                     t.bind(S::switchToDesktop(1), kKey1, false);
                     t.bind(S::switchToDesktop(3), kKey3);
                     t.windowServer.setCurrentSpace("UUID-B", 22);
                     press(t, kKey1, onB);
                     press(t, kKey3, onB, kControl | EventFlags::maskShift);
                 },
                 11, 22, 2},
        DockCase{"heldShortcutActsOnceAndSwallowsItsRepeats",
                 [](DockTest& t) {
                     t.bind(S::moveRightASpace, kRightArrow);
                     t.displays.setCursorLocation(onA);
                     t.events.physical().keyDown(kRightArrow, kControl);
                     t.events.physical().keyDown(kRightArrow, kControl, true);
                     t.events.physical().keyUp(kRightArrow, kControl);
                 },
                 12, 21},
        DockCase{"moveShortcutsStepOneSpace",
                 [](DockTest& t) {
                     t.bind(S::moveRightASpace, kRightArrow);
                     t.bind(S::moveLeftASpace, kLeftArrow);
                     press(t, kRightArrow, onB);
                     press(t, kRightArrow, onB);
                     press(t, kLeftArrow, onB);
                 },
                 11, 22}),
    [](const auto& info) { return std::string(info.param.name); });

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
