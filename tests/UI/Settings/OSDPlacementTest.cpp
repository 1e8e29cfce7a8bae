#include "UI/Settings/OSDPlacement.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

struct OriginCase {
    OSDPlacement placement;
    Point expected;
};

class OSDPlacementOriginTest : public ::testing::TestWithParam<OriginCase> {};

// A 1000 x 600 rectangle at (100, 50), a 200 x 100 window, 24 points from the edges.
TEST_P(OSDPlacementOriginTest, PlacesTheWindowOriginInTheRectangle) {
    const auto& c = GetParam();
    EXPECT_EQ(origin(c.placement, Rect(100, 50, 1000, 600), Size{200, 100}, 24), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Placements, OSDPlacementOriginTest,
                         ::testing::Values(OriginCase{OSDPlacement::center, {500, 300}},
                                           OriginCase{OSDPlacement::topLeft, {124, 526}},
                                           OriginCase{OSDPlacement::topRight, {876, 526}},
                                           OriginCase{OSDPlacement::bottomLeft, {124, 74}},
                                           OriginCase{OSDPlacement::bottomRight, {876, 74}}),
                         [](const auto& info) { return rawValue(info.param.placement); });

TEST(OSDPlacement, CenterIgnoresTheInset) {
    EXPECT_EQ(origin(OSDPlacement::center, Rect(0, 0, 100, 100), Size{20, 10}, 500),
              (Point{40, 45}));
}

} // namespace
} // namespace tessarin
