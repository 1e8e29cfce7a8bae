#include "Platform/DisplayServer.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

// Main 1920x1080; a 2560x1440 display to its right, top edges aligned; a 1280x800 display
// above the main one.
std::vector<Screen> threeScreens() {
    return {
        {1, "UUID-MAIN", "Built-in", {0, 0, 1920, 1080}, {0, 0, 1920, 1055}, 2.0},
        {2, "UUID-RIGHT", "Studio", {1920, -360, 2560, 1440}, {1920, -360, 2560, 1415}, 1.0},
        {3, "UUID-TOP", "Projector", {0, 1080, 1280, 800}, {0, 1080, 1280, 775}, 1.0},
    };
}

TEST(DisplayServerTest, BoundsAreInWindowServerCoordinatesAnchoredAtTheMainScreensTopLeft) {
    const DisplayServer displays(threeScreens());
    EXPECT_EQ(displays.bounds(2), (Rect{1920, 0, 2560, 1440}));
    EXPECT_EQ(displays.bounds(3), (Rect{0, -800, 1280, 800}));
    EXPECT_TRUE(displays.bounds(99).isEmpty());
    const Rect window{100, 200, 300, 400}; // y up
    EXPECT_EQ(displays.toWindowServer(window), (Rect{100, 480, 300, 400}));
    EXPECT_EQ(displays.fromWindowServer(displays.toWindowServer(window)), window);
}

TEST(DisplayServerTest, DisplaysWithPointFindsTheDisplayUnderAWindowServerPoint) {
    const DisplayServer displays(threeScreens());
    const std::tuple<const char*, Point, std::vector<DisplayID>> cases[] = {
        {"main top-left corner", {0, 0}, {1}},
        {"right display", {3000, 1200}, {2}},
        {"edge between main and right belongs to the right", {1920, 10}, {2}},
        {"above the main screen", {100, -100}, {3}},
        {"below the main screen, left of the right display", {100, 1200}, {}},
    };
    for (const auto& [name, point, expected] : cases) {
        EXPECT_EQ(displays.displaysWithPoint(point), expected) << name;
    }
    EXPECT_TRUE(DisplayServer().displaysWithPoint({0, 0}).empty());
}

TEST(DisplayServerTest, ThePointerIsReadInBothSystems) {
    DisplayServer displays(threeScreens());
    displays.setMouseLocation({2500, 0});
    EXPECT_EQ(displays.cursorLocation(), (Point{2500, 1080}));
    displays.setCursorLocation({10, -10});
    EXPECT_EQ(displays.mouseLocation(), (Point{10, 1090}));
    const auto screen = displays.screenContaining(displays.mouseLocation());
    ASSERT_TRUE(screen);
    EXPECT_EQ(screen->displayID, 3u);
}

// The system's pointer never leaves the screens: sent elsewhere it stops at the nearest edge
// of the nearest screen.
TEST(DisplayServerTest, ThePointerIsPlacedOnTheNearestScreen) {
    const DisplayServer displays(threeScreens());
    const std::tuple<const char*, Point, Point> cases[] = {
        {"on a screen it stays", {100, 100}, {100, 100}},
        {"left of the main screen", {-500, 300}, {0, 300}},
        {"below the right display", {3000, -2000}, {3000, -359}},
        {"past the right display's right edge", {9000, 0}, {4479, 0}},
        {"above the top display", {640, 5000}, {640, 1879}},
        {"in the gap right of the top display, nearer the top one", {1300, 1500}, {1279, 1500}},
        {"far below and left: the main screen's corner", {-100, -100}, {0, 1}},
    };
    for (const auto& [name, point, expected] : cases) {
        const Point placed = displays.pointerPlacement(point);
        EXPECT_EQ(placed, expected) << name;
        // On a display in both coordinate systems, whose edges are half open in each.
        EXPECT_TRUE(displays.screenContaining(placed)) << name;
        EXPECT_FALSE(displays.displaysWithPoint(displays.toWindowServer(placed)).empty()) << name;
    }
    EXPECT_EQ(DisplayServer().pointerPlacement({-5, 7}), (Point{-5, 7}));
}

// Both coordinate systems go by one rule for which display holds a point, and the pointer is
// placed where that rule holds it.
TEST(DisplayServerTest, APointOnADisplaysEdgeIsHeldInBothSystemsOrInNeither) {
    const std::vector<Screen> one = {{1, "UUID-ONE", "One", {0, 0, 1440, 900}, {}, 1.0}};
    const std::vector<Screen> tiny = {{1, "UUID-TINY", "Tiny", {0, 0, 1, 1}, {}, 1.0}};
    const std::tuple<const char*, std::vector<Screen>, Point, bool> cases[] = {
        {"the edge past the last row, in its middle", one, {720, 0}, false},
        {"the edge past the last row, at the origin", one, {0, 0}, false},
        {"the edge past the last row, in the last column", one, {1439, 0}, false},
        {"the first row, the window server's y 0", one, {720, 900}, true},
        {"the first row, in the last column", one, {1439, 900}, true},
        {"the edge past the last column", one, {1440, 450}, false},
        {"a 1 x 1 display's origin", tiny, {0, 0}, false},
        {"a 1 x 1 display's one pixel", tiny, {0, 1}, true},
    };
    for (const auto& [name, screens, point, held] : cases) {
        const DisplayServer displays(screens);
        EXPECT_EQ(displays.screenContaining(point).has_value(), held) << name;
        EXPECT_EQ(!displays.displaysWithPoint(displays.toWindowServer(point)).empty(), held)
            << name;
        const Point placed = displays.pointerPlacement(point);
        EXPECT_TRUE(displays.screenContaining(placed)) << name;
        EXPECT_EQ(displays.displaysWithPoint(displays.toWindowServer(placed)),
                  std::vector<DisplayID>{1})
            << name;
    }
}

} // namespace
} // namespace tessarin
