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

// The y axis points up: leaving the top row goes above the grid.
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
                      RefusedCase{"targetOutsideFrames", 6, 7, TessarinDirectionRight},
                      RefusedCase{"sourceOutsideFrames", -1, 0, TessarinDirectionRight}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace tessarin
