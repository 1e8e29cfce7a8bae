#include "UI/OSD/OSDGridLayout.h"

#include "UI/OSD/OSDGridTestSupport.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

using testing::plainModel;

constexpr double tolerance = 1e-6;

void expectFirstAndLastFrames(int64_t count, int64_t columns, Size container, Rect first,
                              Rect last) {
    SCOPED_TRACE(std::to_string(count) + " in " + std::to_string(columns));
    const auto layout = OSDGridLayout::make(plainModel(count, columns), container, 0);
    ASSERT_TRUE(layout);
    ASSERT_EQ(static_cast<int64_t>(layout->frames().size()), count);
    for (const auto& [actual, expected] :
         {std::pair{layout->frames().front(), first}, std::pair{layout->frames().back(), last}}) {
        EXPECT_TRUE(approximatelyEqual(actual, expected, tolerance))
            << "got (" << actual.minX() << ", " << actual.minY() << ", " << actual.width() << ")";
    }
}

// Margins are 26 points at the sides and 8 at top and bottom; cells are 14 points apart.
TEST(OSDGridLayoutTest, FirstAndLastFramesOfRaggedAndFullGrids) {
    // Fewer Spaces than columns: only the used columns share the width.
    expectFirstAndLastFrames(2, 4, {600, 200}, {26, 24.90625, 267, 150.1875},
                             {307, 24.90625, 267, 150.1875});
    // The last row holds one cell, at the left.
    expectFirstAndLastFrames(5, 4, {800, 400}, {26, 207, 176.5, 99.28125},
                             {26, 93.71875, 176.5, 99.28125});
    // Three rows of 256 / 3 points fill the height; the block is centred across.
    constexpr double width = 4096.0 / 27;
    expectFirstAndLastFrames(12, 4, {900, 300}, {6782.0 / 54, 620.0 / 3, width, 256.0 / 3},
                             {6782.0 / 54 + 3 * (width + 14), 8, width, 256.0 / 3});
}

TEST(OSDGridLayoutTest, InsetWidensTheMarginsAndNegativeCountsAsZero) {
    const auto plain = OSDGridLayout::make(plainModel(4, 4), {800, 200}, 0);
    const auto inset = OSDGridLayout::make(plainModel(4, 4), {800, 200}, 10);
    const auto negative = OSDGridLayout::make(plainModel(4, 4), {800, 200}, -5);
    ASSERT_TRUE(plain && inset && negative);
    EXPECT_NEAR(inset->cellSize().width, plain->cellSize().width - 20.0 / 4, tolerance);
    EXPECT_NEAR(inset->frames()[0].minX() + inset->frames()[3].maxX(), 800, tolerance);
    EXPECT_EQ(negative->frames(), plain->frames());
    EXPECT_EQ(negative->renderingInset(), 0);
}

TEST(OSDGridLayoutTest, NoLayoutWhereTheCellsCannotFit) {
    const struct {
        const char* name;
        Size container;
        double inset;
    } cases[] = {
        {"zeroWidth", {0, 300}, 0},
        {"zeroHeight", {300, 0}, 0},
        {"negative", {-10, 300}, 0},
        {"narrowerThanMargins", {66, 300}, 0}, // 2 × 26 + 14 leaves no width for two columns
        {"lowerThanMargins", {300, 30}, 0},    // 2 × 8 + 14 leaves no height for two rows
        {"insetEatsEverything", {300, 300}, 200},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(OSDGridLayout::make(plainModel(4, 2), c.container, c.inset)) << c.name;
    }
}

} // namespace
} // namespace tessarin
