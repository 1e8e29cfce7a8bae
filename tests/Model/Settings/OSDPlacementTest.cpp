#include "Model/Settings/OSDPlacement.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

// A 1000 x 600 rectangle at (100, 50), a 200 x 100 window, 24 points from the edges.
TEST(OSDPlacement, PlacesTheWindowOriginInTheRectangle) {
    const std::pair<OSDPlacement, Point> cases[] = {
        {OSDPlacement::center, {500, 300}},     {OSDPlacement::topLeft, {124, 526}},
        {OSDPlacement::topRight, {876, 526}},   {OSDPlacement::bottomLeft, {124, 74}},
        {OSDPlacement::bottomRight, {876, 74}},
    };
    for (const auto& [placement, expected] : cases) {
        EXPECT_EQ(origin(placement, Rect(100, 50, 1000, 600), Size{200, 100}, 24), expected)
            << rawValue(placement);
    }
    EXPECT_EQ(origin(OSDPlacement::center, Rect(0, 0, 100, 100), Size{20, 10}, 500),
              (Point{40, 45}))
        << "the centre ignores the inset";
}

} // namespace
} // namespace tessarin
