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

// Throws, and so fails the test, when the model cannot be laid out.
OSDGridLayout layoutOf(const OSDGridModel& model) {
    return OSDGridLayout::make(model, {552, 464}, 0).value();
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

// The layout the view hit-tests a drag against: the model grown by its drag slots.
OSDGridLayout dragLayout(const OSDGridModel& model, bool expanded) {
    const int64_t slots = OSDGridVirtualDragDestinations::slotCount(model.spaceCount(),
                                                                    model.columnCount(), expanded);
    return layoutOf(model.virtualDragDestinationModel(slots, {}).value());
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
}

TEST_F(OSDGridMouseInteractionStateTest, PressOutsideClearsThePressButKeepsTheHover) {
    ASSERT_TRUE(state.beginInteraction(centerOf(layout, 0), layout));
    ASSERT_TRUE(state.updateDrag(offset(centerOf(layout, 0), 20, 0), layout, true));
    EXPECT_FALSE(state.beginInteraction({1, 1}, layout));
    State expected = freshState(model);
    expected.hoveredIndex = 0;
    EXPECT_EQ(state, expected);
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
                                           ThresholdCase{"diagonal4_4", 4, 4, false}, // 5.66 points
                                           ThresholdCase{"diagonal3_6x4_8", 3.6, 4.8,
                                                         true}), // exactly 6
                         [](const auto& info) { return std::string(info.param.name); });

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
    const State dragging = state;
    EXPECT_FALSE(state.updateDrag(offset(press, 2, 0), layout, true)) << "back near the press";
    EXPECT_EQ(state, dragging);
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
    EXPECT_FALSE(state.reorderTarget(centerOf(layout, 3), layout)) << "a click is no drop";
    EXPECT_FALSE(state.committedReorderModel(model, Behavior::swap));
}

TEST_F(OSDGridMouseInteractionStateTest, DropOnAnotherCellReordersWithPlaceholdersSwapped) {
    const Point press = centerOf(layout, 0);
    ASSERT_TRUE(state.beginInteraction(press, layout));
    ASSERT_TRUE(state.updateDrag(centerOf(layout, 2), layout, false));
    EXPECT_EQ(state.reorderTarget(centerOf(layout, 2), layout), (State::ReorderTarget{0, 2}));
    EXPECT_FALSE(state.reorderTarget(press, layout)) << "dropped where it started";
    EXPECT_FALSE(state.selectionTarget(centerOf(layout, 2), layout, true)) << "a drop is no click";

    const auto committed = state.committedReorderModel(model, Behavior::shuffle);
    ASSERT_TRUE(committed);
    EXPECT_TRUE(committed->isPlaceholder(0)) << "onto a placeholder the cells swap";
    EXPECT_EQ(committed->title(2), "Mail");
    EXPECT_EQ(committed->title(1), "Code");
}

TEST_F(OSDGridMouseInteractionStateTest, DropBehindTheLastCellGrowsTheGrid) {
    const auto expanded = dragLayout(model, true);
    ASSERT_EQ(expanded.frames().size(), 9u);
    ASSERT_TRUE(state.beginInteraction(centerOf(layout, 3), layout));
    ASSERT_TRUE(state.updateDrag(centerOf(expanded, 7), expanded, true));
    EXPECT_EQ(state.reorderTarget(centerOf(expanded, 7), expanded), (State::ReorderTarget{3, 7}));
    const auto preview = state.displayedModel(model, Behavior::swap);
    const auto committed = state.committedReorderModel(model, Behavior::swap);
    ASSERT_TRUE(preview && committed);
    EXPECT_EQ(preview->spaceCount(), 9) << "the preview offers the whole extra row";
    EXPECT_EQ(preview->title(7), "Chat");
    EXPECT_EQ(committed->spaceCount(), 8) << "the drop keeps what it needs";
    EXPECT_EQ(committed->placeholderIndices(), (std::set<int64_t>{2, 3, 6}));
}

TEST_F(OSDGridMouseInteractionStateTest, HoverModelShowsTheHoveredCellUncovered) {
    state.hoveredIndex = 3;
    const auto shown = state.displayedModel(model, Behavior::swap);
    state.hoveredIndex.reset();
    const auto unhovered = state.displayedModel(model, Behavior::swap);
    ASSERT_TRUE(shown && unhovered);
    EXPECT_EQ(shown->activeIndex(), 3);
    EXPECT_EQ(shown->title(), "Chat");
    EXPECT_TRUE(shown->obscuredIndices().empty());
    EXPECT_EQ(shown->placeholderIndices(), model.placeholderIndices());
    EXPECT_EQ(unhovered->activeIndex(), 1);
    EXPECT_EQ(unhovered->title(), "Code");
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
    const auto shown = state.displayedModel(model, Behavior::swap);
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->activeIndex(), 3);
}

TEST_F(OSDGridMouseInteractionStateTest, RefreshDropsVanishedCellsAndTakesTheNewModel) {
    ASSERT_TRUE(state.beginInteraction(centerOf(layout, 5), layout));
    const auto smaller = makeModel({.spaceCount = 4,
                                    .activeIndex = 0,
                                    .columnCount = 3,
                                    .cellTitles = {{0, "A"}},
                                    .placeholderIndices = {3}});
    EXPECT_EQ(state.replacingModel(smaller), freshState(smaller))
        << "not reordering: the press, the hover and the drag point go with the vanished cell";
}

TEST_F(OSDGridMouseInteractionStateTest, RefreshCarriesARunningReorderOver) {
    const auto expanded = dragLayout(model, true);
    ASSERT_TRUE(state.beginInteraction(centerOf(layout, 0), layout));
    ASSERT_TRUE(state.updateDrag(centerOf(expanded, 7), expanded, true));
    State expected = state;
    expected.hoveredIndex.reset(); // slot 7 is no cell of the model
    EXPECT_EQ(state.replacingModel(model), expected);
}

// The target of a reorder running over six cells after a refresh to `count` cells in three
// columns: three such cells have a drag area of three slots, six with the extra row.
std::optional<int64_t> targetAfterRefresh(bool expandedRow, int64_t target, int64_t count) {
    State state = freshState(sixCells());
    state.pressedIndex = 0;
    state.dragTargetIndex = target;
    state.usesExpandedVirtualDragRow = expandedRow;
    state.isReordering = true;
    return state.replacingModel(makeModel({.spaceCount = count, .columnCount = 3})).dragTargetIndex;
}

TEST(OSDGridRefreshDuringReorder, KeepsTheTargetOnlyInsideTheDragArea) {
    EXPECT_EQ(targetAfterRefresh(true, 7, 6), 7);
    EXPECT_EQ(targetAfterRefresh(true, 5, 3), 5) << "the last slot of the extra row";
    EXPECT_EQ(targetAfterRefresh(true, 6, 3), std::nullopt) << "one past the extra row";
    EXPECT_EQ(targetAfterRefresh(false, 2, 3), 2) << "the last slot";
    EXPECT_EQ(targetAfterRefresh(false, 3, 3), std::nullopt) << "one past the last slot";
}

} // namespace
} // namespace tessarin
