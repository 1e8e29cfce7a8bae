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
    struct Case {
        DisplayID display;
        Rect bounds;
    };
    const Case cases[] = {
        {1, {0, 0, 1920, 1080}},
        {2, {1920, 0, 2560, 1440}},
        {3, {0, -800, 1280, 800}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(displays.bounds(c.display), c.bounds) << "display " << c.display;
    }
    EXPECT_TRUE(displays.bounds(99).isEmpty());
}

TEST(DisplayServerTest, PointsAndRectsRoundTripBetweenTheTwoSystems) {
    const DisplayServer displays(threeScreens());
    const Point points[] = {{0, 0}, {100, 1079}, {2000, -300}, {640, 1500}};
    for (const Point p : points) {
        EXPECT_EQ(displays.fromWindowServer(displays.toWindowServer(p)), p);
    }
    EXPECT_EQ(displays.toWindowServer(Point{100, 1000}), (Point{100, 80}));
    const Rect window{100, 200, 300, 400}; // y up
    EXPECT_EQ(displays.toWindowServer(window), (Rect{100, 480, 300, 400}));
    EXPECT_EQ(displays.fromWindowServer(displays.toWindowServer(window)), window);
}

TEST(DisplayServerTest, DisplaysWithPointFindsTheDisplayUnderAWindowServerPoint) {
    const DisplayServer displays(threeScreens());
    struct Case {
        const char* name;
        Point point;
        std::vector<DisplayID> expected;
    };
    const Case cases[] = {
        {"main top-left corner", {0, 0}, {1}},
        {"main centre", {960, 540}, {1}},
        {"right display", {3000, 1200}, {2}},
        {"edge between main and right belongs to the right", {1920, 10}, {2}},
        {"above the main screen", {100, -100}, {3}},
        {"below the main screen, left of the right display", {100, 1200}, {}},
        {"far away", {-5000, -5000}, {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(displays.displaysWithPoint(c.point), c.expected) << c.name;
    }
}

TEST(DisplayServerTest, ThePointerIsReadInBothSystems) {
    DisplayServer displays(threeScreens());
    displays.setMouseLocation({2500, 0});
    EXPECT_EQ(displays.cursorLocation(), (Point{2500, 1080}));
    EXPECT_EQ(displays.screenContaining(displays.mouseLocation())->displayID, 2u);
    EXPECT_EQ(displays.displaysWithPoint(displays.cursorLocation()), std::vector<DisplayID>{2});

    displays.setCursorLocation({10, -10});
    EXPECT_EQ(displays.mouseLocation(), (Point{10, 1090}));
    EXPECT_EQ(displays.screenContaining(displays.mouseLocation())->displayID, 3u);
}

TEST(DisplayServerTest, ListsScreensMainFirstWithTheirIdentity) {
    const DisplayServer displays(threeScreens());
    EXPECT_EQ(displays.activeDisplayList(), (std::vector<DisplayID>{1, 2, 3}));
    EXPECT_EQ(displays.mainScreen()->uuid, "UUID-MAIN");
    EXPECT_EQ(displays.uuid(3), "UUID-TOP");
    EXPECT_EQ(displays.uuid(42), std::nullopt);
    EXPECT_EQ(displays.screenWithUUID("UUID-RIGHT")->localizedName, "Studio");
    EXPECT_EQ(displays.screen(2)->backingScaleFactor, 1.0);
}

TEST(DisplayServerTest, WithoutScreensNothingIsFound) {
    const DisplayServer displays;
    EXPECT_FALSE(displays.mainScreen());
    EXPECT_TRUE(displays.activeDisplayList().empty());
    EXPECT_TRUE(displays.displaysWithPoint({0, 0}).empty());
    EXPECT_FALSE(displays.screenContaining({0, 0}));
}

TEST(DisplayServerTest, ReconfigurationTellsObserversUntilRemoved) {
    DisplayServer displays(threeScreens());
    int calls = 0;
    const auto token = displays.addConfigurationObserver([&] { ++calls; });
    auto screens = threeScreens();
    screens.pop_back();
    displays.setScreens(screens);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(displays.screens().size(), 2u);
    displays.removeConfigurationObserver(token);
    displays.setScreens(threeScreens());
    EXPECT_EQ(calls, 1);
}

} // namespace
} // namespace tessarin
