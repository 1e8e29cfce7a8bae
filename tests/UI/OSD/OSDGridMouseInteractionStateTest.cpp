#include "UI/OSD/OSDGridMouseInteractionState.h"

#include "UI/OSD/OSDGridTestSupport.h"
#include "UI/OSD/OSDGridVirtualDragDestinations.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

using testing::makeModel;
using Behavior = OSDGridRearrangementBehavior;
using State = OSDGridMouseInteractionState;

// Six cells in three columns, cell 2 a placeholder, cell 1 active.
OSDGridModel sixCells() {
    return makeModel(
        {.spaceCount = 6,
         .activeIndex = 1,
         .title = "Header",
         .columnCount = 3,
         .cellTitles = {{0, "Mail"}, {1, "Code"}, {3, "Chat"}, {4, "Docs"}, {5, "Music"}},
         .placeholderIndices = {2},
         .obscuredIndices = {4}});
}

OSDGridLayout layoutOf(const OSDGridModel& model) {
    const auto layout = OSDGridLayout::make(model, {552, 464}, 0);
    EXPECT_TRUE(layout);
    return *layout;
}

State freshState(const OSDGridModel& model) {
    return {.currentActiveIndex = model.activeIndex(),
            .cellTitles = model.cellTitles(),
            .placeholderIndices = model.placeholderIndices()};
}

Point centerOf(const OSDGridLayout& layout, int64_t index) {
    return layout.frames()[static_cast<std::size_t>(index)].center();
}

Point offset(Point point, double dx, double dy) {
    return {point.x + dx, point.y + dy};
}

// The layout the view hit-tests a drag against: the model grown by its drag slotTotal.
OSDGridLayout dragLayout(const OSDGridModel& model, bool expanded) {
    const int64_t slotTotal = OSDGridVirtualDragDestinations::slotCount(
        model.spaceCount(), model.columnCount(), expanded);
    return layoutOf(*model.virtualDragDestinationModel(slotTotal, {}));
}

class OSDGridMouseInteractionStateTest : public ::testing::Test {
protected:
    OSDGridModel model = sixCells();
    OSDGridLayout layout = layoutOf(model);
    State state = freshState(model);
};

TEST_F(OSDGridMouseInteractionStateTest, PressOnCellRecordsWhereItWent) {
    const Point point = offset(centerOf(layout, 3), 5, -3);
    ASSERT_TRUE(state.beginInteraction(point, layout));
    const Rect& frame = layout.frames()[3];
    EXPECT_EQ(state.pressedIndex, 3);
    EXPECT_EQ(state.hoveredIndex, 3);
    EXPECT_EQ(state.pressedPoint, point);
    EXPECT_EQ(state.currentDragPoint, point);
    EXPECT_EQ(state.pressedDragOffset, (Size{point.x - frame.origin.x, point.y - frame.origin.y}));
    EXPECT_FALSE(state.isReordering);
}

TEST_F(OSDGridMouseInteractionStateTest, PressOutsideClearsThePressButKeepsTheHover) {
    ASSERT_TRUE(state.beginInteraction(centerOf(layout, 0), layout));
    ASSERT_TRUE(state.updateDrag(offset(centerOf(layout, 0), 20, 0), layout, true));
    EXPECT_FALSE(state.beginInteraction({1, 1}, layout));
    EXPECT_EQ(state.hoveredIndex, 0);
    EXPECT_FALSE(state.pressedIndex);
    EXPECT_FALSE(state.pressedPoint);
    EXPECT_FALSE(state.pressedDragOffset);
    EXPECT_FALSE(state.currentDragPoint);
    EXPECT_FALSE(state.dragTargetIndex);
    EXPECT_FALSE(state.isReordering);
    EXPECT_FALSE(state.usesExpandedVirtualDragRow);
}

struct ThresholdCase {
    const char* name;
    double dx;
    double dy;
    bool startsReorder;
};

class OSDGridDragThreshold : public ::testing::TestWithParam<ThresholdCase> {};

TEST_P(OSDGridDragThreshold, StartsAtSixPoints) {
    const auto model = sixCells();
    const auto layout = layoutOf(model);
    State state = freshState(model);
    const Point press = centerOf(layout, 0);
    ASSERT_TRUE(state.beginInteraction(press, layout));
    const State pressed = state;
    const bool changed =
        state.updateDrag(offset(press, GetParam().dx, GetParam().dy), layout, false);
    EXPECT_EQ(changed, GetParam().startsReorder);
    EXPECT_EQ(state.isReordering, GetParam().startsReorder);
    if (!GetParam().startsReorder) {
        EXPECT_EQ(state, pressed) << "a move below the threshold changes nothing";
    }
}

INSTANTIATE_TEST_SUITE_P(Distances, OSDGridDragThreshold,
                         ::testing::Values(ThresholdCase{"horizontal5_9", 5.9, 0, false},
                                           ThresholdCase{"horizontal6_0", 6.0, 0, true},
                                           ThresholdCase{"vertical6_0", 0, -6.0, true},
                                           ThresholdCase{"diagonal4_4", 4, 4, false}, // 5.66 points
                                           ThresholdCase{"diagonal3_6x4_8", 3.6, 4.8,
                                                         true}), // exactly 6
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(OSDGridMouseInteractionStateTest, MovingBackNearThePressChangesNothingOnceStarted) {
    const Point press = centerOf(layout, 0);
    ASSERT_TRUE(state.beginInteraction(press, layout));
    ASSERT_TRUE(state.updateDrag(offset(press, 10, 0), layout, false));
    const State dragging = state;
    EXPECT_FALSE(state.updateDrag(offset(press, 2, 0), layout, false));
    EXPECT_EQ(state, dragging);
}

TEST_F(OSDGridMouseInteractionStateTest, DragReportsOnlyRealChanges) {
    const Point press = centerOf(layout, 0);
    ASSERT_TRUE(state.beginInteraction(press, layout));
    const Point inCell0 = offset(press, 10, 0);
    ASSERT_TRUE(state.updateDrag(inCell0, layout, false));
    EXPECT_EQ(state.dragTargetIndex, 0);
    EXPECT_FALSE(state.updateDrag(inCell0, layout, false)) << "same point, same target";
    EXPECT_TRUE(state.updateDrag(offset(press, 11, 0), layout, false)) << "the point moved";
    EXPECT_TRUE(state.updateDrag(offset(press, 11, 0), layout, true)) << "the drag row changed";
    EXPECT_TRUE(state.updateDrag(centerOf(layout, 4), layout, true));
    EXPECT_EQ(state.dragTargetIndex, 4);
    EXPECT_EQ(state.hoveredIndex, 4);
}

TEST_F(OSDGridMouseInteractionStateTest, DragOutsideTheGridKeepsTheLastTarget) {
    const Point press = centerOf(layout, 0);
    ASSERT_TRUE(state.beginInteraction(press, layout));
    ASSERT_TRUE(state.updateDrag({2, 2}, layout, false));
    EXPECT_EQ(state.dragTargetIndex, 0) << "with no target yet, the pressed cell is the target";
    ASSERT_TRUE(state.updateDrag(centerOf(layout, 3), layout, false));
    EXPECT_TRUE(state.updateDrag({3, 3}, layout, false));
    EXPECT_EQ(state.dragTargetIndex, 3);
    EXPECT_EQ(state.hoveredIndex, 3);
    EXPECT_FALSE(state.updateDrag({3, 3}, layout, false));
}

TEST_F(OSDGridMouseInteractionStateTest, PlaceholderNeverStartsAReorder) {
    ASSERT_TRUE(state.beginInteraction(centerOf(layout, 2), layout));
    EXPECT_FALSE(state.updateDrag(centerOf(layout, 4), layout, false));
    EXPECT_FALSE(state.isReordering);
    EXPECT_FALSE(state.reorderTarget(centerOf(layout, 4), layout));
    EXPECT_EQ(state.selectionTarget(centerOf(layout, 4), layout, true), 4)
        << "the release still counts as a click";
}

TEST_F(OSDGridMouseInteractionStateTest, ClickSelection) {
    ASSERT_TRUE(state.beginInteraction(centerOf(layout, 0), layout));
    EXPECT_EQ(state.selectionTarget(centerOf(layout, 3), layout, false), 3)
        << "the release need not be on the pressed cell";
    EXPECT_FALSE(state.selectionTarget(centerOf(layout, 1), layout, false)) << "active cell";
    EXPECT_EQ(state.selectionTarget(centerOf(layout, 1), layout, true), 1);
    EXPECT_EQ(state.selectionTarget(centerOf(layout, 2), layout, false), 2) << "placeholder";
    EXPECT_FALSE(state.selectionTarget({1, 1}, layout, true));
}

TEST_F(OSDGridMouseInteractionStateTest, DropOnAnotherCellReordersWithPlaceholdersSwapped) {
    const Point press = centerOf(layout, 0);
    ASSERT_TRUE(state.beginInteraction(press, layout));
    ASSERT_TRUE(state.updateDrag(centerOf(layout, 2), layout, false));
    EXPECT_EQ(state.reorderTarget(centerOf(layout, 2), layout), (State::ReorderTarget{0, 2}));
    EXPECT_FALSE(state.reorderTarget(press, layout)) << "dropped where it started";
    EXPECT_FALSE(state.selectionTarget(centerOf(layout, 2), layout, true));

    const auto committed = *state.committedReorderModel(model, Behavior::shuffle);
    EXPECT_TRUE(committed.isPlaceholder(0)) << "onto a placeholder the cells swap";
    EXPECT_EQ(committed.title(2), "Mail");
    EXPECT_EQ(committed.title(1), "Code");
}

TEST_F(OSDGridMouseInteractionStateTest, DropBehindTheLastCellGrowsTheGrid) {
    const auto expanded = dragLayout(model, true);
    ASSERT_EQ(expanded.frames().size(), 9u);
    const Point press = centerOf(layout, 3);
    ASSERT_TRUE(state.beginInteraction(press, layout));
    ASSERT_TRUE(state.updateDrag(centerOf(expanded, 7), expanded, true));
    EXPECT_EQ(state.dragTargetIndex, 7);
    EXPECT_EQ(state.reorderTarget(centerOf(expanded, 7), expanded), (State::ReorderTarget{3, 7}));

    const auto preview = *state.displayedModel(model, Behavior::swap);
    EXPECT_EQ(preview.spaceCount(), 9);
    EXPECT_EQ(preview.title(7), "Chat");
    EXPECT_EQ(preview.virtualDestinationIndices(), (std::set<int64_t>{6, 8}));

    const auto committed = *state.committedReorderModel(model, Behavior::swap);
    EXPECT_EQ(committed.spaceCount(), 8);
    EXPECT_EQ(committed.title(7), "Chat");
    EXPECT_EQ(committed.placeholderIndices(), (std::set<int64_t>{2, 3, 6}));
    EXPECT_TRUE(committed.virtualDestinationIndices().empty());
}

TEST_F(OSDGridMouseInteractionStateTest, NoCommitWithoutAReorder) {
    ASSERT_TRUE(state.beginInteraction(centerOf(layout, 0), layout));
    EXPECT_FALSE(state.committedReorderModel(model, Behavior::swap));
}

// One release fires at most one callback: a release is a reorder or a click, never both.
TEST_F(OSDGridMouseInteractionStateTest, ReleaseIsNeverBothAReorderAndASelection) {
    const auto expanded = dragLayout(model, true);
    const std::vector<Point> drags{centerOf(layout, 0),
                                   offset(centerOf(layout, 0), 3, 3),
                                   centerOf(layout, 4),
                                   centerOf(expanded, 8),
                                   {0, 0}};
    for (int64_t pressed = 0; pressed < model.spaceCount(); ++pressed) {
        for (const Point& drag : drags) {
            State candidate = freshState(model);
            ASSERT_TRUE(candidate.beginInteraction(centerOf(layout, pressed), layout));
            candidate.updateDrag(drag, expanded, true);
            for (double x = 0; x <= 552; x += 23) {
                for (double y = 0; y <= 464; y += 29) {
                    const bool reorders = candidate.reorderTarget({x, y}, expanded).has_value();
                    const bool selects =
                        candidate.selectionTarget({x, y}, layout, true).has_value();
                    EXPECT_FALSE(reorders && selects)
                        << "pressed " << pressed << " at (" << x << ", " << y << ")";
                }
            }
        }
    }
}

TEST_F(OSDGridMouseInteractionStateTest, HoverModelShowsTheHoveredCellUncovered) {
    state.hoveredIndex = 3;
    const auto shown = *state.displayedModel(model, Behavior::swap);
    EXPECT_EQ(shown.activeIndex(), 3);
    EXPECT_EQ(shown.title(), "Chat");
    EXPECT_TRUE(shown.obscuredIndices().empty());
    EXPECT_EQ(shown.cellTitles(), model.cellTitles());
    EXPECT_EQ(shown.placeholderIndices(), model.placeholderIndices());

    state.hoveredIndex.reset();
    const auto unhovered = *state.displayedModel(model, Behavior::swap);
    EXPECT_EQ(unhovered.activeIndex(), 1);
    EXPECT_EQ(unhovered.title(), "Code");
}

TEST_F(OSDGridMouseInteractionStateTest, HoverOfAStaleIndexShowsTheModelItself) {
    state.hoveredIndex = 12;
    EXPECT_EQ(state.displayedModel(model, Behavior::swap), model);
}

TEST_F(OSDGridMouseInteractionStateTest, DisplayedTitleFallsBackToTheModelHeader) {
    const auto untitled = makeModel({.spaceCount = 3,
                                     .activeIndex = 0,
                                     .title = "Header",
                                     .columnCount = 3,
                                     .cellTitles = {{1, "One"}}});
    State plain = freshState(untitled);
    EXPECT_EQ(plain.displayedTitle(untitled), "Header");
    plain.hoveredIndex = 2;
    EXPECT_FALSE(plain.displayedTitle(untitled));
    plain.hoveredIndex = 1;
    EXPECT_EQ(plain.displayedTitle(untitled), "One");
    plain.cellTitles[1] = "Renamed";
    EXPECT_EQ(plain.displayedTitle(untitled), "Renamed") << "the state's titles come first";
}

TEST_F(OSDGridMouseInteractionStateTest, DisplayedTitleWhileReorderingIsThePreviewTitle) {
    ASSERT_TRUE(state.beginInteraction(centerOf(layout, 1), layout));
    ASSERT_TRUE(state.updateDrag(centerOf(layout, 5), layout, false));
    EXPECT_EQ(state.displayedTitle(model), "Code") << "the active cell moved to slot 5";
}

TEST_F(OSDGridMouseInteractionStateTest, ReorderWithoutTargetStillHasATitle) {
    // A refresh can drop the target of a running reorder; the picture must still resolve.
    state.isReordering = true;
    state.pressedIndex = 0;
    state.hoveredIndex = 3;
    EXPECT_EQ(state.displayedTitle(model), "Chat");
    EXPECT_EQ(state.displayedModel(model, Behavior::swap)->activeIndex(), 3);
}

TEST_F(OSDGridMouseInteractionStateTest, RefreshDropsVanishedCells) {
    ASSERT_TRUE(state.beginInteraction(centerOf(layout, 5), layout));
    const auto smaller = makeModel({.spaceCount = 4,
                                    .activeIndex = 0,
                                    .columnCount = 3,
                                    .cellTitles = {{0, "A"}},
                                    .placeholderIndices = {3}});
    const State refreshed = state.replacingModel(smaller);
    EXPECT_FALSE(refreshed.hoveredIndex);
    EXPECT_FALSE(refreshed.pressedIndex);
    EXPECT_FALSE(refreshed.pressedPoint);
    EXPECT_FALSE(refreshed.pressedDragOffset);
    EXPECT_EQ(refreshed.currentActiveIndex, 0);
    EXPECT_EQ(refreshed.cellTitles, smaller.cellTitles());
    EXPECT_EQ(refreshed.placeholderIndices, smaller.placeholderIndices());
    EXPECT_FALSE(refreshed.currentDragPoint) << "not reordering: the drag point goes";
}

TEST_F(OSDGridMouseInteractionStateTest, RefreshKeepsAReorderTargetOnlyInsideTheDragArea) {
    const auto expanded = dragLayout(model, true);
    ASSERT_TRUE(state.beginInteraction(centerOf(layout, 0), layout));
    ASSERT_TRUE(state.updateDrag(centerOf(expanded, 7), expanded, true));

    const State same = state.replacingModel(model);
    EXPECT_TRUE(same.isReordering);
    EXPECT_EQ(same.dragTargetIndex, 7);
    EXPECT_EQ(same.currentDragPoint, state.currentDragPoint);
    EXPECT_TRUE(same.usesExpandedVirtualDragRow);
    EXPECT_EQ(same.pressedIndex, 0);

    // Three cells in three columns offer six slotTotal with the extra row: slot 7 is gone.
    const State shrunk =
        state.replacingModel(makeModel({.spaceCount = 3, .activeIndex = 0, .columnCount = 3}));
    EXPECT_TRUE(shrunk.isReordering);
    EXPECT_FALSE(shrunk.dragTargetIndex);
    EXPECT_EQ(shrunk.pressedIndex, 0);
}

} // namespace
} // namespace tessarin
