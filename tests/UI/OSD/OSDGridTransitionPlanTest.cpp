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

    static Grid make(int64_t count, int64_t columns, Size container = {552, 464}) {
        const OSDGridModel model = plainModel(count, columns);
        const auto layout = OSDGridLayout::make(model, container, 2);
        EXPECT_TRUE(layout);
        Rect bounds = layout->frames().front();
        for (const Rect& frame : layout->frames()) {
            bounds = bounds.united(frame);
        }
        return {model, *layout, bounds};
    }

    Rect frame(int64_t index) const { return layout.frames()[static_cast<std::size_t>(index)]; }

    std::optional<OSDGridTransitionPlan> plan(int64_t from, int64_t to,
                                              TessarinDirection direction) const {
        return OSDGridTransitionPlan::make({*model.selectingActiveIndex(to), from, to, direction},
                                           layout);
    }
};

struct NeighborCase {
    const char* name;
    int64_t count;
    int64_t columns;
    int64_t from;
    TessarinDirection direction;
    std::optional<int64_t> expected;
};

class OSDGridExpectedNeighbor : public ::testing::TestWithParam<NeighborCase> {};

TEST_P(OSDGridExpectedNeighbor, FollowsTheWrappingSnakeRule) {
    const NeighborCase& c = GetParam();
    EXPECT_EQ(OSDGridTransitionPlan::expectedNeighbor(c.count, c.columns, c.from, c.direction),
              c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Moves, OSDGridExpectedNeighbor,
    ::testing::Values(
        NeighborCase{"leftFromFirstWrapsToLast", 7, 3, 0, TessarinDirectionLeft, 6},
        NeighborCase{"rightAcrossRowEnd", 7, 3, 2, TessarinDirectionRight, 3},
        NeighborCase{"rightFromLastWrapsToFirst", 7, 3, 6, TessarinDirectionRight, 0},
        NeighborCase{"upSkipsShortLastRow", 7, 3, 2, TessarinDirectionUp, 5},
        NeighborCase{"upFromTopTakesLastRowWithColumn", 7, 3, 0, TessarinDirectionUp, 6},
        NeighborCase{"downWrapsToTop", 7, 3, 5, TessarinDirectionDown, 2},
        NeighborCase{"downInsideGrid", 7, 3, 1, TessarinDirectionDown, 4},
        NeighborCase{"twoColumnsUpWraps", 4, 2, 1, TessarinDirectionUp, 3},
        NeighborCase{"fourColumnsDownHasNoRowWithColumn", 5, 4, 3, TessarinDirectionDown,
                     std::nullopt},
        NeighborCase{"singleRowHasNoVerticalMove", 3, 4, 1, TessarinDirectionUp, std::nullopt},
        NeighborCase{"unknownDirection", 7, 3, 1, 4, std::nullopt},
        NeighborCase{"fromOutsideGrid", 7, 3, 7, TessarinDirectionLeft, std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

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

TEST(OSDGridTransitionPlanTest, RightFromLastCellOfRaggedRowWrapsHorizontally) {
    const Grid grid = Grid::make(7, 3);
    const auto plan = grid.plan(6, 0, TessarinDirectionRight);
    ASSERT_TRUE(plan);
    const Rect from = grid.frame(6);
    const Rect to = grid.frame(0);
    EXPECT_EQ(plan->exitFrame(),
              Rect(grid.bounds.maxX() + gap, from.minY(), from.width(), from.height()));
    EXPECT_EQ(plan->entryFrame(),
              Rect(grid.bounds.minX() - to.width() - gap, to.minY(), to.width(), to.height()));
}

TEST(OSDGridTransitionPlanTest, LeftFromFirstCellWrapsHorizontally) {
    const Grid grid = Grid::make(10, 4, {900, 500});
    const auto plan = grid.plan(0, 9, TessarinDirectionLeft);
    ASSERT_TRUE(plan);
    const Rect from = grid.frame(0);
    const Rect to = grid.frame(9);
    EXPECT_EQ(plan->exitFrame(), Rect(grid.bounds.minX() - from.width() - gap, from.minY(),
                                      from.width(), from.height()));
    EXPECT_EQ(plan->entryFrame(),
              Rect(grid.bounds.maxX() + gap, to.minY(), to.width(), to.height()));
}

TEST(OSDGridTransitionPlanTest, UpFromTopRowLeavesAboveAndEntersBelow) {
    const Grid grid = Grid::make(7, 3);
    const auto plan = grid.plan(2, 5, TessarinDirectionUp);
    ASSERT_TRUE(plan);
    const Rect from = grid.frame(2);
    const Rect to = grid.frame(5);
    EXPECT_EQ(plan->exitFrame(),
              Rect(from.minX(), grid.bounds.maxY() + gap, from.width(), from.height()));
    EXPECT_EQ(plan->entryFrame(),
              Rect(to.minX(), grid.bounds.minY() - to.height() - gap, to.width(), to.height()));
    // The exit lies above the grid (y up), the entry below it.
    EXPECT_GT(plan->exitFrame()->minY(), grid.bounds.maxY());
    EXPECT_LT(plan->entryFrame()->maxY(), grid.bounds.minY());
}

TEST(OSDGridTransitionPlanTest, DownToAHigherRowLeavesBelowAndEntersAbove) {
    const Grid grid = Grid::make(6, 2, {500, 600});
    const auto plan = grid.plan(5, 1, TessarinDirectionDown);
    ASSERT_TRUE(plan);
    const Rect from = grid.frame(5);
    const Rect to = grid.frame(1);
    EXPECT_EQ(plan->exitFrame(), Rect(from.minX(), grid.bounds.minY() - from.height() - gap,
                                      from.width(), from.height()));
    EXPECT_EQ(plan->entryFrame(),
              Rect(to.minX(), grid.bounds.maxY() + gap, to.width(), to.height()));
}

struct RefusedCase {
    const char* name;
    int64_t from;
    int64_t to;
    TessarinDirection direction;
};

class OSDGridTransitionPlanRefused : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(OSDGridTransitionPlanRefused, YieldsNoPlan) {
    const Grid grid = Grid::make(7, 3);
    const RefusedCase& c = GetParam();
    EXPECT_FALSE(OSDGridTransitionPlan::make({grid.model, c.from, c.to, c.direction}, grid.layout));
}

INSTANTIATE_TEST_SUITE_P(
    NotANeighbourMove, OSDGridTransitionPlanRefused,
    ::testing::Values(RefusedCase{"pacManWrapWithinRow", 2, 0, TessarinDirectionRight},
                      RefusedCase{"directJump", 0, 4, TessarinDirectionRight},
                      RefusedCase{"blockedMoveStaysPut", 0, 0, TessarinDirectionLeft},
                      RefusedCase{"wrongDirection", 3, 4, TessarinDirectionLeft},
                      RefusedCase{"targetOutsideFrames", 6, 7, TessarinDirectionRight},
                      RefusedCase{"sourceOutsideFrames", -1, 0, TessarinDirectionRight},
                      RefusedCase{"unknownDirection", 3, 4, 9}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace tessarin
