#include "UI/OSD/OSDGridModel.h"
#include "UI/OSD/OSDGridTestSupport.h"
#include "UI/OSD/OSDGridVirtualDragDestinations.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

using testing::appIcon;
using testing::makeModel;
using testing::screenshot;
using Behavior = OSDGridRearrangementBehavior;
using Indices = std::set<int64_t>;

// A grid whose cells are titled by their original index, so every result shows its order.
OSDGridModel titledModel(int64_t count, int64_t columns, int64_t active = 0,
                         Indices placeholders = {}) {
    OSDGridModel::Fields fields{.spaceCount = count, .activeIndex = active, .columnCount = columns};
    for (int64_t i = 0; i < count; ++i) {
        fields.cellTitles[i] = std::to_string(i);
    }
    fields.placeholderIndices = std::move(placeholders);
    return makeModel(std::move(fields));
}

// The original index now shown at each position, "-" for an untitled cell: "1203" when cell 0
// moved behind cell 2.
std::string order(const std::optional<OSDGridModel>& model) {
    std::string result;
    for (int64_t i = 0; model && i < model->spaceCount(); ++i) {
        result += model->title(i).value_or("-");
    }
    return result;
}

TEST(OSDGridVirtualDragDestinations, FillTheLastRowAndOptionallyOneMore) {
    using namespace OSDGridVirtualDragDestinations;
    EXPECT_EQ(slotCount(5, 3, false), 6);
    EXPECT_EQ(slotCount(5, 3, true), 9);
    EXPECT_EQ(slotCount(6, 3, false), 6) << "a full last row";
    EXPECT_EQ(expandedSlotCount(6, 3), 9);
    EXPECT_EQ(slotCount(9, 4, true), 16);
    EXPECT_EQ(slotCount(0, 3, true), 0);
    EXPECT_EQ(slotCount(5, 0, true), 0);
    EXPECT_EQ(expandedSlotCount(0, 3), 0);
    EXPECT_EQ(expandedSlotCount(5, 0), 0);
}

struct ReorderCase {
    const char* name;
    int64_t from;
    int64_t to;
    Behavior behavior;
    const char* expected;
};

class OSDGridReordered : public ::testing::TestWithParam<ReorderCase> {};

TEST_P(OSDGridReordered, MovesCellsWithTheirContent) {
    const ReorderCase& c = GetParam();
    EXPECT_EQ(order(titledModel(5, 3).reordered(c.from, c.to, c.behavior)), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Orders, OSDGridReordered,
    ::testing::Values(ReorderCase{"shuffleForward", 0, 3, Behavior::shuffle, "12304"},
                      ReorderCase{"swapForward", 0, 3, Behavior::swap, "31204"},
                      ReorderCase{"shuffleBackward", 3, 0, Behavior::shuffle, "30124"},
                      ReorderCase{"shuffleNeighbours", 4, 3, Behavior::shuffle, "01243"},
                      ReorderCase{"sameCell", 2, 2, Behavior::shuffle, "01234"},
                      ReorderCase{"targetOutside", 2, 5, Behavior::swap, "01234"},
                      ReorderCase{"sourceOutside", -1, 2, Behavior::swap, "01234"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(OSDGridReorderingTest, EveryCellAttributeFollowsItsCell) {
    const auto picture = screenshot(Qt::red);
    const auto icon = appIcon("mail");
    const std::vector stack{appIcon("a"), appIcon("b")};
    const auto model = makeModel({.spaceCount = 4,
                                  .activeIndex = 0,
                                  .columnCount = 2,
                                  .cellTitles = {{1, "Mail"}},
                                  .cellScreenshots = {{1, picture}},
                                  .cellIcons = {{1, icon}},
                                  .cellIconStacks = {{1, stack}},
                                  .placeholderIndices = {3},
                                  .virtualDestinationIndices = {2},
                                  .obscuredIndices = {1}});
    const auto result = model.reordered(1, 3, Behavior::shuffle);
    ASSERT_TRUE(result);
    EXPECT_EQ(result->placeholderIndices(), Indices{1}) << "onto a placeholder the cells swap";
    EXPECT_EQ(result->title(3), "Mail");
    EXPECT_EQ(result->cellScreenshots().at(3), picture);
    EXPECT_EQ(result->icon(3), icon);
    EXPECT_EQ(result->cellIconStacks().at(3), stack);
    EXPECT_EQ(result->obscuredIndices(), Indices{3});
    EXPECT_TRUE(result->virtualDestinationIndices().empty());
}

TEST(OSDGridReorderingTest, PlaceholderCannotBeDragged) {
    const auto model = titledModel(4, 2, 0, {2});
    EXPECT_EQ(model.reordered(2, 0, Behavior::swap), model);
    EXPECT_EQ(model.dragPreviewModel(2, 0, Behavior::swap, std::nullopt), model);
}

TEST(OSDGridReorderingTest, ActiveIndexFollowsTheActiveCell) {
    const auto model = titledModel(5, 3, 2);
    const auto draggedActive = model.reordered(2, 4, Behavior::shuffle);
    const auto acrossActive = model.reordered(0, 3, Behavior::shuffle);
    const auto swapped = model.reordered(0, 4, Behavior::swap);
    ASSERT_TRUE(draggedActive && acrossActive && swapped);
    EXPECT_EQ(draggedActive->activeIndex(), 4);
    EXPECT_EQ(draggedActive->title(), "2");
    EXPECT_EQ(acrossActive->activeIndex(), 1) << "the active cell shifted one towards the source";
    EXPECT_EQ(acrossActive->title(), "2");
    EXPECT_EQ(swapped->activeIndex(), 2);
    const auto untitled = makeModel({.spaceCount = 3,
                                     .activeIndex = 0,
                                     .title = "Header",
                                     .columnCount = 3,
                                     .cellTitles = {{1, "One"}}});
    const auto moved = untitled.reordered(1, 2, Behavior::swap);
    ASSERT_TRUE(moved);
    EXPECT_EQ(moved->title(), "Header") << "an untitled active cell keeps the header";
}

TEST(OSDGridReorderingTest, VirtualDragDestinationModel) {
    const auto model = titledModel(5, 3);
    EXPECT_EQ(model.virtualDragDestinationModel(5, {}), model) << "no slot past the Spaces";
    const auto grown = model.virtualDragDestinationModel(6, {});
    const auto cut = model.virtualDragDestinationModel(40, {7});
    ASSERT_TRUE(grown && cut);
    EXPECT_EQ(order(grown), "01234-");
    EXPECT_EQ(grown->virtualDestinationIndices(), Indices{5});
    EXPECT_EQ(cut->spaceCount(), 9) << "never more than one extra row";
    EXPECT_EQ(cut->virtualDestinationIndices(), (Indices{5, 6, 8}));
    EXPECT_EQ(cut->appearance(7), OSDGridCellAppearance::inactivePlaceholder());
    const auto regrown = grown->virtualDragDestinationModel(9, {});
    ASSERT_TRUE(regrown);
    EXPECT_EQ(regrown->virtualDestinationIndices(), (Indices{6, 7, 8}))
        << "destinations are recomputed from the model's own count";
}

TEST(OSDGridReorderingTest, DropIntoAVirtualSlotMovesTheSpaceThere) {
    const auto model = titledModel(5, 3, 4);
    const auto next = model.virtualDropModel(4, 5, 6, {}, true);
    const auto far = model.virtualDropModel(1, 7, 8, {}, true);
    const auto unfilled = model.virtualDropModel(1, 7, 9, {5, 6, 8}, false);
    ASSERT_TRUE(next && far && unfilled);
    EXPECT_EQ(order(next), "0123-4");
    EXPECT_EQ(next->placeholderIndices(), Indices{4});
    EXPECT_EQ(next->activeIndex(), 5) << "the active cell moved with its Space";
    EXPECT_EQ(next->title(), "4");
    EXPECT_EQ(order(far), "0-234--1");
    EXPECT_EQ(far->placeholderIndices(), (Indices{1, 5, 6})) << "the gap is filled";
    EXPECT_EQ(far->activeIndex(), 4);
    EXPECT_EQ(unfilled->placeholderIndices(), Indices{1});
    EXPECT_EQ(unfilled->virtualDestinationIndices(), (Indices{5, 6, 8}));
}

TEST(OSDGridReorderingTest, DroppedCellKeepsItsPictureAndCover) {
    const auto picture = screenshot(Qt::red);
    const auto model = makeModel({.spaceCount = 4,
                                  .activeIndex = 0,
                                  .columnCount = 3,
                                  .cellScreenshots = {{1, picture}},
                                  .obscuredIndices = {1}});
    const auto dropped = model.virtualDropModel(1, 6, 7, {}, true);
    ASSERT_TRUE(dropped);
    EXPECT_EQ(dropped->cellScreenshots().at(6), picture);
    EXPECT_EQ(dropped->obscuredIndices(), Indices{6});
}

TEST(OSDGridReorderingTest, VirtualDropRefusesNonVirtualTargets) {
    const auto model = titledModel(4, 2, 0, {3});
    EXPECT_EQ(model.virtualDropModel(1, 2, 6, {}, true), model) << "target inside the grid";
    EXPECT_EQ(model.virtualDropModel(1, 6, 6, {}, true), model) << "target past the new end";
    EXPECT_EQ(model.virtualDropModel(3, 4, 6, {}, true), model) << "placeholder source";
    EXPECT_EQ(model.virtualDropModel(4, 5, 6, {}, true), model) << "source outside";
}

TEST(OSDGridReorderingTest, DragPreviewShowsTheMoveWithTheDragArea) {
    const auto model = titledModel(5, 3);
    const auto overCell = model.dragPreviewModel(0, 3, Behavior::shuffle, 6);
    const auto overSlot = model.dragPreviewModel(1, 7, Behavior::shuffle, std::nullopt);
    const auto outside = model.dragPreviewModel(1, 6, Behavior::swap, 6);
    ASSERT_TRUE(overCell && overSlot && outside);
    EXPECT_EQ(order(overCell), "12304-");
    EXPECT_EQ(overCell->virtualDestinationIndices(), Indices{5});
    EXPECT_EQ(order(overSlot), "0-234--1-") << "without a slot count: the whole extra row";
    EXPECT_EQ(overSlot->virtualDestinationIndices(), (Indices{5, 6, 8}));
    EXPECT_EQ(order(outside), "01234-") << "outside the drag area nothing moves";
    EXPECT_EQ(outside->virtualDestinationIndices(), Indices{5});
    EXPECT_EQ(model.dragPreviewModel(1, -1, Behavior::swap, 6), outside);
}

} // namespace
} // namespace tessarin
