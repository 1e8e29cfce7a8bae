#include "UI/OSD/OSDGridMouseInteractionState.h"

#include "UI/OSD/OSDGridTestSupport.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

using namespace testing;
using Behavior = OSDGridRearrangementBehavior;
using State = OSDGridMouseInteractionState;

State freshState(const OSDGridModel& model) {
    return {.currentActiveIndex = model.activeIndex(),
            .cellTitles = model.cellTitles(),
            .placeholderIndices = model.placeholderIndices()};
}

Point offset(Point point, double dx, double dy) {
    return {point.x + dx, point.y + dy};
}

// Six cells in three columns, cell 1 active, cell 2 a placeholder, cell 4 covered.
class OSDGridMouseInteractionStateTest : public ::testing::Test {
protected:
    OSDGridModel model =
        makeModel({.spaceCount = 6,
                   .activeIndex = 1,
                   .title = "Header",
                   .columnCount = 3,
                   .cellTitles = {{0, "Mail"}, {1, "Code"}, {3, "Chat"}, {4, "Docs"}, {5, "Music"}},
                   .placeholderIndices = {2},
                   .obscuredIndices = {4}});
    OSDGridLayout layout = layoutOf(model);
    // What the view hit-tests a drag against: the model grown by the whole extra row.
    OSDGridLayout expanded = layoutOf(model.virtualDragDestinationModel(9, {}).value());
    State state = freshState(model);

    Point at(int64_t index) const { return centerOf(layout, index); }
    bool press(int64_t index) { return state.beginInteraction(at(index), layout); }
};

TEST_F(OSDGridMouseInteractionStateTest, PressRecordsWhereItWentAndAPressOutsideForgetsIt) {
    const Point point = offset(at(3), 5, -3);
    ASSERT_TRUE(state.beginInteraction(point, layout));
    const Point origin = layout.frames()[3].origin;
    State expected = freshState(model);
    expected.pressedIndex = expected.hoveredIndex = 3;
    expected.pressedPoint = expected.currentDragPoint = point;
    expected.pressedDragOffset = Size{point.x - origin.x, point.y - origin.y};
    EXPECT_EQ(state, expected);
    ASSERT_TRUE(state.updateDrag(offset(at(3), 20, 0), layout, true));
    EXPECT_FALSE(state.beginInteraction({1, 1}, layout));
    expected = freshState(model);
    expected.hoveredIndex = 3;
    EXPECT_EQ(state, expected) << "the hover stays";
}

TEST_F(OSDGridMouseInteractionStateTest, DragStartsAtSixPoints) {
    const struct {
        const char* name;
        double dx, dy;
        bool starts;
    } cases[] = {{"horizontal 5.9", 5.9, 0, false},
                 {"horizontal 6", 6, 0, true},
                 {"diagonal 5.66", 4, 4, false},
                 {"diagonal exactly 6", 3.6, 4.8, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(press(0));
        const State pressed = state;
        EXPECT_EQ(state.updateDrag(offset(at(0), c.dx, c.dy), layout, false), c.starts);
        EXPECT_EQ(state.isReordering, c.starts);
        if (!c.starts) {
            EXPECT_EQ(state, pressed) << "a move below the threshold changes nothing";
        }
    }
}

TEST_F(OSDGridMouseInteractionStateTest, DragReportsOnlyRealChanges) {
    ASSERT_TRUE(press(0));
    ASSERT_TRUE(state.updateDrag({2, 2}, layout, false));
    EXPECT_EQ(state.dragTargetIndex, 0) << "outside, with no target yet, the pressed cell";
    const Point inCell0 = offset(at(0), 10, 0);
    ASSERT_TRUE(state.updateDrag(inCell0, layout, false));
    EXPECT_FALSE(state.updateDrag(inCell0, layout, false)) << "same point, same target";
    EXPECT_TRUE(state.updateDrag(offset(at(0), 11, 0), layout, false)) << "the point moved";
    EXPECT_TRUE(state.updateDrag(offset(at(0), 11, 0), layout, true)) << "the drag row changed";
    EXPECT_TRUE(state.updateDrag(at(4), layout, true));
    EXPECT_EQ(state.dragTargetIndex, 4);
    EXPECT_EQ(state.hoveredIndex, 4);
    EXPECT_TRUE(state.updateDrag({3, 3}, layout, true));
    EXPECT_EQ(state.dragTargetIndex, 4) << "outside the grid the last target stays";
    EXPECT_EQ(state.hoveredIndex, 4);
    const State dragging = state;
    EXPECT_FALSE(state.updateDrag(offset(at(0), 2, 0), layout, true)) << "back near the press";
    EXPECT_EQ(state, dragging);
}

TEST_F(OSDGridMouseInteractionStateTest, APressOnAPlaceholderIsAlwaysAClick) {
    ASSERT_TRUE(press(2));
    EXPECT_FALSE(state.updateDrag(at(4), layout, false)) << "a placeholder never starts a reorder";
    EXPECT_FALSE(state.isReordering);
    EXPECT_EQ(state.selectionTarget(at(3), layout, false), 3) << "released on another cell";
    EXPECT_FALSE(state.selectionTarget(at(1), layout, false)) << "active cell";
    EXPECT_EQ(state.selectionTarget(at(1), layout, true), 1);
    EXPECT_EQ(state.selectionTarget(at(2), layout, false), 2) << "placeholder";
    const Point betweenCells = offset(at(0), layout.cellSize().width / 2 + 1, 0);
    EXPECT_FALSE(state.selectionTarget(betweenCells, layout, true));
    EXPECT_FALSE(state.reorderTarget(at(4), layout));
    EXPECT_FALSE(state.committedReorderModel(model, Behavior::swap));
    ASSERT_TRUE(press(0));
    EXPECT_FALSE(state.reorderTarget(at(3), layout)) << "a click on a real cell is no drop either";
}

TEST_F(OSDGridMouseInteractionStateTest, DropOnAnotherCellReordersWithPlaceholdersSwapped) {
    ASSERT_TRUE(press(0));
    ASSERT_TRUE(state.updateDrag(at(2), layout, false));
    EXPECT_EQ(state.reorderTarget(at(2), layout), (State::ReorderTarget{0, 2}));
    EXPECT_FALSE(state.reorderTarget(at(0), layout)) << "dropped where it started";
    EXPECT_FALSE(state.selectionTarget(at(2), layout, true)) << "a drop is no click";
    const auto committed = state.committedReorderModel(model, Behavior::shuffle);
    ASSERT_TRUE(committed);
    EXPECT_EQ(order(committed), "-CodeMailChatDocsMusic") << "onto a placeholder the cells swap";
}

TEST_F(OSDGridMouseInteractionStateTest, DropBehindTheLastCellGrowsTheGrid) {
    ASSERT_TRUE(press(3));
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

TEST_F(OSDGridMouseInteractionStateTest, HoveredCellIsShownActiveAndACoveredOneStaysCovered) {
    state.hoveredIndex = 4;
    const auto shown = state.displayedModel(model, Behavior::swap);
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->activeIndex(), 4);
    EXPECT_EQ(shown->title(), "Docs");
    EXPECT_EQ(shown->obscuredIndices(), (std::set<int64_t>{4}));
    state.hoveredIndex.reset();
    EXPECT_EQ(state.displayedModel(model, Behavior::swap).value().title(), "Code");
    state.hoveredIndex = 12;
    EXPECT_EQ(state.displayedModel(model, Behavior::swap), model) << "a stale hover";
}

TEST_F(OSDGridMouseInteractionStateTest, DisplayedTitle) {
    const auto untitled = makeModel(
        {.spaceCount = 3, .title = "Header", .columnCount = 3, .cellTitles = {{1, "One"}}});
    State plain = freshState(untitled);
    EXPECT_EQ(plain.displayedTitle(untitled), "Header");
    plain.hoveredIndex = 2;
    EXPECT_FALSE(plain.displayedTitle(untitled));
    plain.hoveredIndex = 1;
    plain.cellTitles[1] = "Renamed";
    EXPECT_EQ(plain.displayedTitle(untitled), "Renamed") << "the state's titles come first";

    ASSERT_TRUE(press(1));
    ASSERT_TRUE(state.updateDrag(at(5), layout, false));
    EXPECT_EQ(state.displayedTitle(model), "Code") << "the active cell moved to slot 5";
    // A refresh can drop the target of a running reorder; the picture must still resolve.
    state.dragTargetIndex.reset();
    state.hoveredIndex = 3;
    EXPECT_EQ(state.displayedTitle(model), "Chat");
    const auto shown = state.displayedModel(model, Behavior::swap);
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->activeIndex(), 3);
}

TEST_F(OSDGridMouseInteractionStateTest, RefreshWithoutReorderForgetsVanishedCells) {
    ASSERT_TRUE(press(5));
    const auto smaller = makeModel({.spaceCount = 4, .columnCount = 3, .placeholderIndices = {3}});
    EXPECT_EQ(state.replacingModel(smaller), freshState(smaller));
}

// A refresh carries a running reorder over; three cells in three columns have a drag area of
// three slots, six with the extra row.
TEST(OSDGridRefreshDuringReorder, KeepsThePressAndATargetInsideTheDragArea) {
    const struct {
        bool expandedRow;
        int64_t target, count;
        std::optional<int64_t> kept;
    } cases[] = {
        {true, 7, 6, 7}, {true, 5, 3, 5}, {true, 6, 3, {}}, {false, 2, 3, 2}, {false, 3, 3, {}}};
    for (const auto& c : cases) {
        State state{.pressedIndex = 0,
                    .pressedPoint = Point{1, 2},
                    .pressedDragOffset = Size{3, 4},
                    .currentDragPoint = Point{5, 6},
                    .dragTargetIndex = c.target,
                    .usesExpandedVirtualDragRow = c.expandedRow,
                    .isReordering = true};
        State expected = state;
        expected.dragTargetIndex = c.kept;
        EXPECT_EQ(state.replacingModel(plainModel(c.count, 3)), expected) << c.target;
    }
}

} // namespace
} // namespace tessarin
