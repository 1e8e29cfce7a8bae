#include "Platform/StatusBar/MenuBarPlace.h"

#include <gtest/gtest.h>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace tessarin {
namespace {

// The built-in host: a 1512 x 982 display with the menu bar and a 2560 x 1440 one to its right.
const std::vector<Rect> kBuiltInHost = {{0, 0, 1512, 982}, {1512, 0, 2560, 1440}};
const Rect kFullHD{0, 0, 1920, 1080};
const Size kStandIn{30, 30};

struct StatusItemCase {
    std::string name;
    Rect display;
    double menuBarThickness;
    Point expected;
};

// A row reads as its name in the test list, not as its bytes.
void PrintTo(const StatusItemCase& row, std::ostream* out) {
    *out << row.name;
}

class MenuBarPlaceStatusItemTest : public ::testing::TestWithParam<StatusItemCase> {};

TEST_P(MenuBarPlaceStatusItemTest, LiesInTheMenuBarOfItsDisplay) {
    const StatusItemCase& c = GetParam();
    const Point point = MenuBarPlace(c.display, c.menuBarThickness).statusItemPoint();
    EXPECT_EQ(point, c.expected);
    EXPECT_TRUE(c.display.standardized().contains(point));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MenuBarPlaceStatusItemTest,
    ::testing::Values(StatusItemCase{"TheFirstDisplay", kBuiltInHost[0], 25, {1472, 12.5}},
                      StatusItemCase{"ADisplayRightOfTheFirst", kBuiltInHost[1], 25, {4032, 12.5}},
                      StatusItemCase{
                          "ADisplayAboveTheFirst", {-200, -1080, 1920, 1080}, 24, {1680, -1068}},
                      StatusItemCase{"WithoutAMenuBarOfItsOwn", {0, 0, 800, 600}, 0, {760, 12}},
                      StatusItemCase{"NarrowerThanTheInset", {100, 0, 30, 600}, 24, {100, 12}},
                      StatusItemCase{"LowerThanItsMenuBar", {0, 0, 800, 20}, 24, {760, 10}}),
    [](const auto& info) { return info.param.name; });

struct StandInCase {
    std::string name;
    Rect display; // the menu-bar display among kBuiltInHost's
    Rect screen;
    std::optional<Rect> expected;
};

// A row reads as its name in the test list, not as its bytes.
void PrintTo(const StandInCase& row, std::ostream* out) {
    *out << row.name;
}

class MenuBarPlaceStandInTest : public ::testing::TestWithParam<StandInCase> {};

TEST_P(MenuBarPlaceStandInTest, StandsAtTheTopRightOfTheDisplaysImage) {
    const StandInCase& c = GetParam();
    const auto placement = MachineScreenPlacement::fitting(kBuiltInHost, c.screen);
    const auto frame = MenuBarPlace(c.display, 24).standInFrame(placement, c.screen, kStandIn, 8);
    ASSERT_EQ(frame.has_value(), c.expected.has_value());
    if (!frame) {
        return;
    }
    EXPECT_NEAR(frame->minX(), c.expected->minX(), 1e-9);
    EXPECT_NEAR(frame->minY(), c.expected->minY(), 1e-9);
    EXPECT_EQ(frame->size, kStandIn);
    // Its middle shows the menu-bar display, so a click on it lands there.
    EXPECT_TRUE(c.display.contains(placement.toHost(frame->center())));
}

constexpr double kScale = 1920.0 / 4072.0;

INSTANTIATE_TEST_SUITE_P(Cases, MenuBarPlaceStandInTest,
                         ::testing::Values(StandInCase{"TheFirstOfTwoShrunkOntoTheScreen",
                                                       kBuiltInHost[0], kFullHD,
                                                       Rect{1512 * kScale - 38, 8, 30, 30}},
                                           StandInCase{"TheSecondOfTwo", kBuiltInHost[1], kFullHD,
                                                       Rect{1920 - 38, 8, 30, 30}},
                                           StandInCase{"AScreenAwayFromTheOrigin",
                                                       kBuiltInHost[0],
                                                       {100, 50, 4072, 1440},
                                                       Rect{100 + 1512 - 38, 58, 30, 30}}),
                         [](const auto& info) { return info.param.name; });

TEST(MenuBarPlaceTest, ADisplayWhoseImageMissesTheScreenHasNoStandIn) {
    const MachineScreenPlacement placement{1, {5000, 0}};
    EXPECT_EQ(MenuBarPlace(kBuiltInHost[0], 24).standInFrame(placement, kFullHD, kStandIn, 8),
              std::nullopt);
}

TEST(MenuBarPlaceTest, AStandInWiderThanTheDisplaysImageStaysOnTheScreen) {
    const MachineScreenPlacement placement{0.01, {0, 0}};
    const auto frame =
        MenuBarPlace(kBuiltInHost[0], 24).standInFrame(placement, kFullHD, kStandIn, 8);
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->origin, (Point{0, 8}));
}

} // namespace
} // namespace tessarin
