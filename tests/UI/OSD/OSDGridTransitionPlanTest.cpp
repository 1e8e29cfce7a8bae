#include "UI/OSD/OSDGridTransitionPlan.h"

#include "UI/OSD/OSDGridTestSupport.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

using testing::plainModel;

constexpr double gap = OSDGridLayout::cellSpacing;

struct Grid {
    OSDGridModel model;
    OSDGridLayout layout;
    Rect bounds;

    // Throws, and so fails the test, when the grid cannot be laid out.
    static Grid make(int64_t count, int64_t columns, Size container = {552, 464}) {
        const OSDGridModel model = plainModel(count, columns);
        const auto layout = OSDGridLayout::make(model, container, 2).value();
        Rect bounds = layout.frames().front();
        for (const Rect& frame : layout.frames()) {
            bounds = bounds.united(frame);
        }
        return {model, layout, bounds};
    }

    Rect frame(int64_t index) const { return layout.frames()[static_cast<std::size_t>(index)]; }

    std::optional<OSDGridTransitionPlan> plan(int64_t from, int64_t to,
                                              TessarinDirection direction) const {
        const auto moved = model.selectingActiveIndex(to);
        if (!moved) {
            return std::nullopt;
        }
        return OSDGridTransitionPlan::make({*moved, from, to, direction}, layout);
    }
};

// The planned move assumes the grid wraps with the snake rule; the rule itself is the resolver's.
TEST(OSDGridTransitionPlanTest, ExpectedNeighborFollowsTheWrappingSnakeRule) {
    using Plan = OSDGridTransitionPlan;
    EXPECT_EQ(Plan::expectedNeighbor(7, 3, 2, TessarinDirectionRight), 3) << "not pac-man";
    EXPECT_EQ(Plan::expectedNeighbor(7, 3, 6, TessarinDirectionRight), 0) << "no edge blocking";
    EXPECT_EQ(Plan::expectedNeighbor(7, 3, 2, TessarinDirectionUp), 5) << "grid mode";
    EXPECT_EQ(Plan::expectedNeighbor(7, 3, 7, TessarinDirectionLeft), std::nullopt);
    EXPECT_EQ(Plan::expectedNeighbor(7, 3, 1, 4), std::nullopt) << "unknown direction";
}

TEST(OSDGridTransitionPlanTest, PlainMoveHasNoWrapFrames) {
    const Grid grid = Grid::make(7, 3);
    const auto plan = grid.plan(2, 3, TessarinDirectionRight);
    ASSERT_TRUE(plan);
    EXPECT_EQ(plan->fromFrame(), grid.frame(2));
    EXPECT_EQ(plan->toFrame(), grid.frame(3));
    EXPECT_FALSE(plan->exitFrame());
    EXPECT_FALSE(plan->entryFrame());
    const auto down = grid.plan(1, 4, TessarinDirectionDown);
    ASSERT_TRUE(down);
    EXPECT_FALSE(down->wraps());
}

enum class Side { right, left, above, below };

// `cell` moved just beyond the grid's bounds on `side`, one cell gap away.
Rect beyond(const Rect& bounds, const Rect& cell, Side side) {
    const double x = side == Side::right  ? bounds.maxX() + gap
                     : side == Side::left ? bounds.minX() - cell.width() - gap
                                          : cell.minX();
    const double y = side == Side::above   ? bounds.maxY() + gap
                     : side == Side::below ? bounds.minY() - cell.height() - gap
                                           : cell.minY();
    return {x, y, cell.width(), cell.height()};
}

void expectWrap(Grid grid, int64_t from, int64_t to, TessarinDirection direction, Side exit,
                Side entry) {
    const auto plan = grid.plan(from, to, direction);
    ASSERT_TRUE(plan);
    EXPECT_EQ(plan->exitFrame(), beyond(grid.bounds, grid.frame(from), exit));
    EXPECT_EQ(plan->entryFrame(), beyond(grid.bounds, grid.frame(to), entry));
}

// The y axis points up: leaving the top row goes above the grid.
TEST(OSDGridTransitionPlanTest, WrappingCellLeavesOnOneSideAndEntersOnTheOther) {
    expectWrap(Grid::make(7, 3), 6, 0, TessarinDirectionRight, Side::right, Side::left);
    expectWrap(Grid::make(10, 4, {900, 500}), 0, 9, TessarinDirectionLeft, Side::left, Side::right);
    expectWrap(Grid::make(7, 3), 2, 5, TessarinDirectionUp, Side::above, Side::below);
    expectWrap(Grid::make(6, 2, {500, 600}), 5, 1, TessarinDirectionDown, Side::below, Side::above);
}

TEST(OSDGridTransitionPlanTest, NoPlanForAnythingButANeighbourMove) {
    const Grid grid = Grid::make(7, 3);
    const auto plans = [&](int64_t from, int64_t to, TessarinDirection direction) {
        return OSDGridTransitionPlan::make({grid.model, from, to, direction}, grid.layout)
            .has_value();
    };
    EXPECT_FALSE(plans(2, 0, TessarinDirectionRight)) << "a pac-man wrap within the row";
    EXPECT_FALSE(plans(0, 4, TessarinDirectionRight)) << "a jump";
    EXPECT_FALSE(plans(0, 0, TessarinDirectionLeft)) << "a blocked move stays put";
    EXPECT_FALSE(plans(6, 7, TessarinDirectionRight)) << "target outside the frames";
    EXPECT_FALSE(plans(-1, 0, TessarinDirectionRight)) << "source outside the frames";
}

} // namespace
} // namespace tessarin
