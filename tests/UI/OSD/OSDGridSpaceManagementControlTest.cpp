#include "UI/OSD/OSDGridSpaceManagementControl.h"

#include "UI/OSD/OSDGridTestSupport.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

namespace Control = OSDGridSpaceManagementControl;
using Action = OSDGridSpaceManagementAction;

OSDGridMouseInteractionContext managingContext(int64_t activeIndex) {
    return {.currentActiveIndex = activeIndex,
            .onRemoveSpace = [](int64_t) {},
            .onAddSpaceAtPlaceholder = [](int64_t) {}};
}

// One row of three cells.
OSDGridLayout rowOf(std::set<int64_t> placeholders, int64_t active = 0) {
    return testing::layoutOf(testing::makeModel({.spaceCount = 3,
                                                 .activeIndex = active,
                                                 .columnCount = 3,
                                                 .placeholderIndices = placeholders}),
                             {560, 200});
}

// Controls grow with the smaller side of the cell, within limits.
TEST(OSDGridSpaceManagementControlTest, ControlFrames) {
    const Rect cell{100, 50, 160, 90};
    const Rect remove = Control::removeControlFrame(cell);
    EXPECT_NEAR(remove.width(), 19.8, 1e-9);
    EXPECT_NEAR(remove.maxX(), cell.maxX() - 19.8 * 0.28, 1e-9) << "inset from the corner";
    EXPECT_NEAR(remove.maxY(), cell.maxY() - 19.8 * 0.28, 1e-9);
    const Rect add = Control::addControlFrame(cell);
    EXPECT_NEAR(add.width(), 28.8, 1e-9);
    EXPECT_EQ(add.center(), cell.center());
    EXPECT_EQ(Control::removeControlFrame({0, 0, 40, 30}).width(), 18);
    EXPECT_NEAR(Control::removeControlFrame({0, 0, 40, 30}).maxX(), 40 - 18 * 0.28, 1e-9)
        << "the inset follows the clamped size";
    EXPECT_EQ(Control::removeControlFrame({0, 0, 400, 300}).width(), 26);
    EXPECT_EQ(Control::addControlFrame({0, 0, 40, 30}).width(), 24);
    EXPECT_EQ(Control::addControlFrame({0, 0, 400, 300}).width(), 38);
}

TEST(OSDGridSpaceManagementControlTest, RemovalIsOfferedOnlyWhereItIsSafe) {
    const auto canRemove = [](int64_t index, std::set<int64_t> placeholders, int64_t active) {
        return Control::canRemove(index, rowOf(placeholders, active), managingContext(active));
    };
    EXPECT_TRUE(canRemove(2, {}, 0)) << "an inactive Space";
    EXPECT_FALSE(canRemove(1, {}, 1)) << "the active Space";
    EXPECT_FALSE(canRemove(0, {1, 2}, 1)) << "the last real Space";
    EXPECT_TRUE(canRemove(1, {1}, 0)) << "a placeholder before a real Space";
    EXPECT_FALSE(canRemove(2, {2}, 0)) << "a trailing placeholder";
    EXPECT_FALSE(canRemove(3, {}, 0)) << "outside the grid";
}

TEST(OSDGridSpaceManagementControlTest, NoControlsWithoutTheirCallbacks) {
    const auto layout = rowOf({1});
    for (int64_t i = 0; i < 3; ++i) {
        EXPECT_FALSE(Control::canShowControl(i, layout, OSDGridMouseInteractionContext{}));
    }
    EXPECT_TRUE(Control::canAddAtPlaceholder(1, layout, managingContext(0)));
    EXPECT_FALSE(Control::canAddAtPlaceholder(2, layout, managingContext(0)));
}

TEST(OSDGridSpaceManagementControlTest, ActionHitsTheControlUnderThePoint) {
    const auto layout = rowOf({1});
    const auto context = managingContext(0);
    const auto actionAt = [&](Point point) { return Control::action(point, layout, context); };
    const auto removeAt = [&](int64_t i) {
        return actionAt(Control::removeControlFrame(layout.frames()[i]).center());
    };
    EXPECT_EQ(removeAt(2), Action::remove(2));
    EXPECT_FALSE(actionAt(layout.frames()[2].center())) << "the cell, not its control";
    EXPECT_EQ(actionAt(layout.frames()[1].center()), Action::addAtPlaceholder(1));
    EXPECT_EQ(removeAt(1), Action::remove(1));
    EXPECT_FALSE(removeAt(0)) << "no remove control on the active Space";
    EXPECT_FALSE(actionAt({1, 1}));
}

} // namespace
} // namespace tessarin
