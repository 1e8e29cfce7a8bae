#include "UI/MenuBar/MenuBarGridIconLayout.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

TEST(MenuBarGridIconLayoutTest, CellSidesAndTheSmallestDrawableCell) {
    struct Case {
        const char* name;
        std::int64_t spaces;
        std::int64_t columns;
        MenuBarGridIconMetrics metrics;
        std::optional<double> cell; // none: no picture
    };
    const auto status = MenuBarGridIconMetrics::statusItem();
    const auto small = MenuBarGridIconMetrics::overlay(PersistentGridOverlaySize::small);
    const auto medium = MenuBarGridIconMetrics::overlay(PersistentGridOverlaySize::medium);
    const Case cases[] = {
        {"nine in three", 9, 3, status, 14.0 / 3},
        {"ten in two rows of five", 10, 2, status, 2.4},
        {"eleven in two: six rows are too many", 11, 2, status, std::nullopt},
        {"overlay medium, four in two", 4, 2, medium, 34},
        {"overlay small, sixteen in four", 16, 4, small, 3.75},
        {"overlay small, thirty-six in four", 36, 4, small, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto model = MenuBarGridIconModel::make(c.spaces, 0, c.columns);
        ASSERT_TRUE(model);
        const auto layout = MenuBarGridIconLayout::make(*model, c.metrics);
        ASSERT_EQ(layout.has_value(), c.cell.has_value());
        if (layout) {
            EXPECT_NEAR(layout->cellSide, *c.cell, 1e-9);
            EXPECT_EQ(layout->frames.size(), static_cast<size_t>(c.spaces));
        }
    }
}

TEST(MenuBarGridIconLayoutTest, RowZeroIsAtTheTopAndAShortLastRowAlignsLeft) {
    const auto layout = MenuBarGridIconLayout::make(MenuBarGridIconModel{5, 0, 3, {}},
                                                    MenuBarGridIconMetrics::statusItem());
    ASSERT_TRUE(layout);
    // Two rows of 14/3-point cells, centred vertically: 16 wide, (2 × 14/3 + 1) high.
    const double cell = 14.0 / 3;
    const double y0 = (18 - (2 * cell + 1)) / 2;
    EXPECT_NEAR(layout->frames[0].minX(), 1, 1e-9);
    EXPECT_NEAR(layout->frames[0].minY(), y0 + cell + 1, 1e-9);
    EXPECT_NEAR(layout->frames[3].minX(), layout->frames[0].minX(), 1e-9);
    EXPECT_NEAR(layout->frames[4].minX(), layout->frames[1].minX(), 1e-9);
    EXPECT_NEAR(layout->frames[4].minY(), y0, 1e-9);
}

TEST(MenuBarGridIconModelTest, RefusesEmptyOrOutOfRangeModelsAndDropsStrayPlaceholders) {
    EXPECT_FALSE(MenuBarGridIconModel::make(0, 0, 3));
    EXPECT_FALSE(MenuBarGridIconModel::make(4, 4, 3));
    EXPECT_FALSE(MenuBarGridIconModel::make(4, -1, 3));
    EXPECT_FALSE(MenuBarGridIconModel::make(4, 0, 5));
    EXPECT_FALSE(MenuBarGridIconModel::make(4, 0, 1));
    const auto model = MenuBarGridIconModel::make(4, 1, 2, {-1, 2, 4});
    ASSERT_TRUE(model);
    EXPECT_EQ(model->placeholderIndices, (std::set<std::int64_t>{2}));
}

} // namespace
} // namespace tessarin
