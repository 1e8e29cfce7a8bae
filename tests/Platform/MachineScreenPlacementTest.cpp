#include "Platform/MachineScreenPlacement.h"

#include "Platform/DisplayServer.h"
#include "Platform/MachineScreen.h"

#include <gtest/gtest.h>
#include <ostream>
#include <string>
#include <vector>

namespace tessarin {
namespace {

// The built-in host: a 1512 x 982 display and a 2560 x 1440 one to its right, tops aligned.
const std::vector<Rect> kBuiltInHost = {{0, 0, 1512, 982}, {1512, 0, 2560, 1440}};
const Rect kFullHD{0, 0, 1920, 1080};
constexpr double kFullHDScale = 1920.0 / 4072.0;

struct FittingCase {
    std::string name;
    std::vector<Rect> displays;
    Rect screen;
    double scale;
    Point origin;
};

// CTest's listing names the row, not its bytes.
void PrintTo(const FittingCase& row, std::ostream* out) {
    *out << row.name;
}

class MachineScreenPlacementFittingTest : public ::testing::TestWithParam<FittingCase> {};

TEST_P(MachineScreenPlacementFittingTest, ShowsEveryDisplayOnTheScreen) {
    const FittingCase& c = GetParam();
    const auto placement = MachineScreenPlacement::fitting(c.displays, c.screen);
    EXPECT_NEAR(placement.scale, c.scale, 1e-9);
    EXPECT_NEAR(placement.origin.x, c.origin.x, 1e-9);
    EXPECT_NEAR(placement.origin.y, c.origin.y, 1e-9);
    for (const Rect& display : c.screen.isEmpty() ? std::vector<Rect>{} : c.displays) {
        const Rect shown = placement.toMachine(display);
        EXPECT_GE(shown.minX(), c.screen.minX() - 1e-9);
        EXPECT_LE(shown.maxX(), c.screen.maxX() + 1e-9);
        EXPECT_GE(shown.minY(), c.screen.minY() - 1e-9);
        EXPECT_LE(shown.maxY(), c.screen.maxY() + 1e-9);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MachineScreenPlacementFittingTest,
    ::testing::Values(
        FittingCase{"DisplaysOnTheScreenStayAsTheyAre", {{0, 0, 1512, 982}}, kFullHD, 1, {0, 0}},
        FittingCase{
            "TheBuiltInHostShrinksToTheScreensWidth", kBuiltInHost, kFullHD, kFullHDScale, {0, 0}},
        FittingCase{"ATallHostShrinksToTheScreensHeight",
                    {{0, 0, 1000, 2000}},
                    {0, 0, 1920, 1000},
                    0.5,
                    {0, 0}},
        FittingCase{"ADisplayLeftOfTheMainOneMovesEverythingRight",
                    {{0, 0, 1000, 800}, {-1000, 0, 1000, 800}},
                    {0, 0, 2560, 1440},
                    1,
                    {1000, 0}},
        FittingCase{"AScreenRightOfTheMachinesOriginTakesTheDisplays",
                    {{0, 0, 1512, 982}},
                    {1920, 0, 1920, 1080},
                    1,
                    {1920, 0}},
        FittingCase{"APanelAboveTheScreenPushesThemDown",
                    kBuiltInHost,
                    {0, 30, 1920, 1050},
                    kFullHDScale,
                    {0, 30}},
        FittingCase{"NoDisplaysKeepTheHostsCoordinates", {}, kFullHD, 1, {0, 0}},
        FittingCase{"NoScreenKeepsTheHostsCoordinates", kBuiltInHost, {}, 1, {0, 0}}),
    [](const auto& info) { return info.param.name; });

struct WindowCase {
    std::string name;
    Rect window; // window-server coordinates
    Rect shown;  // on the 1920 x 1080 screen
};

// CTest's listing names the row, not its bytes.
void PrintTo(const WindowCase& row, std::ostream* out) {
    *out << row.name;
}

class MachineWindowFrameTest : public ::testing::TestWithParam<WindowCase> {};

TEST_P(MachineWindowFrameTest, KeepsItsSizeAndItsPlaceOnItsDisplay) {
    const WindowCase& c = GetParam();
    const auto placement = MachineScreenPlacement::fitting(kBuiltInHost, kFullHD);
    const Rect shown = machineWindowFrame(placement, kBuiltInHost, kFullHD, c.window);
    EXPECT_NEAR(shown.minX(), c.shown.minX(), 0.01);
    EXPECT_NEAR(shown.minY(), c.shown.minY(), 0.01);
    EXPECT_EQ(shown.size, c.shown.size);
}

// The external display shows at x 1512s to 4072s, y 0 to 1440s (s = 1920 / 4072).
INSTANTIATE_TEST_SUITE_P(
    Cases, MachineWindowFrameTest,
    ::testing::Values(WindowCase{"CentredOnTheSecondDisplayStaysCentred",
                                 {2492, 520, 600, 400},
                                 {1512 * kFullHDScale + (2560 * kFullHDScale - 600) / 2,
                                  (1440 * kFullHDScale - 400) / 2, 600, 400}},
                      WindowCase{"AtTheSecondDisplaysTopRightCornerStaysThere",
                                 {3872, 0, 200, 100},
                                 {1720, 0, 200, 100}},
                      WindowCase{"AtTheMainDisplaysBottomLeftCornerStaysThere",
                                 {0, 882, 300, 100},
                                 {0, 982 * kFullHDScale - 100, 300, 100}},
                      WindowCase{"LargerThanItsDisplaysImageStaysOnTheScreen",
                                 {406, 191, 700, 600},
                                 {(1512 * kFullHDScale - 700) / 2, 0, 700, 600}},
                      WindowCase{"OffEveryDisplayIsBroughtOntoTheScreen",
                                 {5000, 2000, 100, 100},
                                 {1820, 2000 * kFullHDScale, 100, 100}}),
    [](const auto& info) { return info.param.name; });

TEST(MachineWindowFrameTest, WithoutAPlacementAWindowKeepsTheHostsFrame) {
    const Rect frame{5000, -40, 100, 100};
    EXPECT_EQ(machineWindowFrame(MachineScreenPlacement::identity(), kBuiltInHost, kFullHD, frame),
              frame);
}

// The display server of the built-in host, shown on a 1920 x 1080 screen.
class DisplaysOnTheMachineScreenTest : public ::testing::Test {
protected:
    DisplaysOnTheMachineScreenTest()
        : displays(
              {Screen{1, "A", "Built-in", {0, 0, 1512, 982}, {0, 0, 1512, 982}, 2},
               Screen{3, "B", "Studio", {1512, -458, 2560, 1440}, {1512, -458, 2560, 1440}, 1}}) {}
    DisplayServer displays;
    MachineScreen machine{displays};
};

TEST_F(DisplaysOnTheMachineScreenTest, WithoutAScreenNoPointOfTheMachineIsTheHosts) {
    EXPECT_EQ(machine.windowServerPointAt({100, 100}), std::nullopt);
    EXPECT_EQ(machine.windowFrame({0, 0, 1512, 982}), Rect(0, 0, 1512, 982));
}

TEST_F(DisplaysOnTheMachineScreenTest, APointOfTheScreenIsTheHostsPointItShows) {
    machine.setArea(kFullHD);
    const auto onSecond = machine.windowServerPointAt({1500, 300});
    ASSERT_TRUE(onSecond);
    EXPECT_NEAR(onSecond->x, 1500 / kFullHDScale, 1e-6);
    EXPECT_NEAR(onSecond->y, 300 / kFullHDScale, 1e-6);
    EXPECT_EQ(displays.displaysWithPoint(*onSecond), std::vector<DisplayID>{3});
    EXPECT_EQ(machine.windowServerPointAt({300, 800}), std::nullopt)
        << "below the first display's image lies no display";
}

TEST_F(DisplaysOnTheMachineScreenTest, AWindowFrameIsShownWhereItsDisplayIs) {
    machine.setArea(kFullHD);
    // The second display's top-right corner, in screen coordinates (y up).
    const Rect shown = machine.windowFrame({3872, 882, 200, 100});
    EXPECT_NEAR(shown.minX(), 1720, 0.01);
    EXPECT_NEAR(shown.minY(), 0, 0.01);
}

} // namespace
} // namespace tessarin
