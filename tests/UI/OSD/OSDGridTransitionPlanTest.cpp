#include "UI/OSD/OSDGridTransitionPlan.h"

#include "UI/OSD/OSDGridTestSupport.h"

#include <gtest/gtest.h>
#include <numeric>

namespace tessarin {
namespace {

using testing::plainModel;
using Plan = OSDGridTransitionPlan;
using Transition = OSDGridDirectionalTransition;
constexpr double gap = OSDGridLayout::cellSpacing;

struct Grid {
    OSDGridModel model;
    OSDGridLayout layout;

    Grid(int64_t count, int64_t columns, Size container = {552, 464})
        : model(plainModel(count, columns)), layout(testing::layoutOf(model, container, 2)) {}

    Rect frame(int64_t index) const { return layout.frames()[static_cast<std::size_t>(index)]; }
    Rect bounds() const {
        return std::accumulate(layout.frames().begin(), layout.frames().end(), frame(0),
                               [](const Rect& a, const Rect& b) { return a.united(b); });
    }
    std::optional<Plan> plan(int64_t from, int64_t to, TessarinDirection direction) const {
        return Plan::make({model.selectingActiveIndex(to).value(), from, to, direction}, layout);
    }
};

TEST(OSDGridTransitionPlanTest, PlainMoveHasNoWrapFrames) {
    const Grid grid(7, 3);
    const auto plan = grid.plan(2, 3, TessarinDirectionRight);
    ASSERT_TRUE(plan);
    EXPECT_EQ(plan->fromFrame(), grid.frame(2));
    EXPECT_EQ(plan->toFrame(), grid.frame(3));
    EXPECT_FALSE(plan->exitFrame() || plan->entryFrame());
    EXPECT_FALSE(grid.plan(1, 4, TessarinDirectionDown).value().wraps());
}

enum class Side { right, left, above, below };

// `cell` moved just beyond `bounds` on `side`, one cell gap away.
Rect beyond(const Rect& bounds, const Rect& cell, Side side) {
    const double x = side == Side::right  ? bounds.maxX() + gap
                     : side == Side::left ? bounds.minX() - cell.width() - gap
                                          : cell.minX();
    const double y = side == Side::above   ? bounds.maxY() + gap
                     : side == Side::below ? bounds.minY() - cell.height() - gap
                                           : cell.minY();
    return {x, y, cell.width(), cell.height()};
}

void expectWrap(const Grid& grid, int64_t from, int64_t to, TessarinDirection direction, Side exit,
                Side entry) {
    const auto plan = grid.plan(from, to, direction);
    ASSERT_TRUE(plan);
    EXPECT_EQ(plan->exitFrame(), beyond(grid.bounds(), grid.frame(from), exit));
    EXPECT_EQ(plan->entryFrame(), beyond(grid.bounds(), grid.frame(to), entry));
}

// The y axis points up: leaving the top row goes above the grid.
TEST(OSDGridTransitionPlanTest, WrappingCellLeavesOnOneSideAndEntersOnTheOther) {
    expectWrap(Grid(7, 3), 6, 0, TessarinDirectionRight, Side::right, Side::left);
    expectWrap(Grid(10, 4, {900, 500}), 0, 9, TessarinDirectionLeft, Side::left, Side::right);
    expectWrap(Grid(7, 3), 2, 5, TessarinDirectionUp, Side::above, Side::below);
    expectWrap(Grid(6, 2, {500, 600}), 5, 1, TessarinDirectionDown, Side::below, Side::above);
}

TEST(OSDGridTransitionPlanTest, NoPlanForAnythingButANeighbourMove) {
    const Grid grid(7, 3);
    const auto plans = [&](int64_t from, int64_t to, TessarinDirection direction) {
        return Plan::make({grid.model, from, to, direction}, grid.layout).has_value();
    };
    EXPECT_FALSE(plans(2, 0, TessarinDirectionRight)) << "a pac-man wrap within the row";
    EXPECT_FALSE(plans(0, 4, TessarinDirectionRight)) << "a jump";
    EXPECT_FALSE(plans(0, 0, TessarinDirectionLeft)) << "a blocked move stays put";
    EXPECT_FALSE(plans(6, 7, TessarinDirectionRight)) << "target outside the frames";
    EXPECT_FALSE(plans(-1, 0, TessarinDirectionRight)) << "source outside the frames";
}

TEST(OSDGridDirectionalTransitionTest, IsWellFormedOnlyAsAMoveToTheActiveCell) {
    const auto model = plainModel(6, 3, 4);
    EXPECT_TRUE((Transition{model, 1, 4, TessarinDirectionDown}.isWellFormed()));
    EXPECT_FALSE((Transition{model, 4, 4, TessarinDirectionDown}.isWellFormed()));
    EXPECT_FALSE((Transition{model, 6, 4, TessarinDirectionDown}.isWellFormed()));
    EXPECT_FALSE((Transition{model, 1, -1, TessarinDirectionUp}.isWellFormed()));
    EXPECT_FALSE((Transition{model, 1, 4, 4}.isWellFormed()));
}

// Whether a move down from `from` to cell 4 of six cells in three columns keeps animating when
// the model is refreshed to `refreshed`; a kept animation shows the refreshed model.
bool keepsAnimating(int64_t from, const OSDGridModel& refreshed) {
    const Transition transition{plainModel(6, 3, 4), from, 4, TessarinDirectionDown};
    const Transition refreshedMove{refreshed, from, 4, TessarinDirectionDown};
    const auto replaced = transition.replacingModel(refreshed);
    EXPECT_EQ(replaced.value_or(refreshedMove), refreshedMove);
    return replaced.has_value();
}

TEST(OSDGridDirectionalTransitionTest, RefreshKeepsTheAnimationOnlyForTheSameShapeAndTarget) {
    EXPECT_TRUE(keepsAnimating(
        1,
        testing::makeModel({.spaceCount = 6, .activeIndex = 4, .title = "New", .columnCount = 3})));
    EXPECT_FALSE(keepsAnimating(1, plainModel(6, 2, 4))) << "another column count";
    EXPECT_FALSE(keepsAnimating(1, plainModel(7, 3, 4))) << "another Space count";
    EXPECT_FALSE(keepsAnimating(1, plainModel(6, 3, 1))) << "the target is no longer active";
    EXPECT_FALSE(keepsAnimating(4, plainModel(6, 3, 4))) << "a malformed move";
}

} // namespace
} // namespace tessarin
