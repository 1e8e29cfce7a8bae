#include "UI/OSD/OSDGridModel.h"
#include "UI/OSD/OSDGridTestSupport.h"
#include "UI/OSD/OSDGridVirtualDragDestinations.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

using testing::appIcon;
using testing::makeModel;
using testing::plainModel;
using testing::screenshot;
using Behavior = OSDGridRearrangementBehavior;
namespace Destinations = OSDGridVirtualDragDestinations;

// A grid whose cells are titled by their original index, so every result shows its order.
OSDGridModel titledModel(int64_t count, int64_t columns, int64_t active = 0,
                         std::set<int64_t> placeholders = {}) {
    OSDGridModel::Fields fields{.spaceCount = count, .activeIndex = active, .columnCount = columns};
    for (int64_t i = 0; i < count; ++i) {
        fields.cellTitles[i] = std::to_string(i);
    }
    fields.placeholderIndices = std::move(placeholders);
    return makeModel(std::move(fields));
}

// The original index now shown at each position ("-" for an untitled cell).
std::vector<std::string> order(const OSDGridModel& model) {
    std::vector<std::string> result;
    for (int64_t i = 0; i < model.spaceCount(); ++i) {
        result.push_back(model.title(i).value_or("-"));
    }
    return result;
}

using Order = std::vector<std::string>;

struct SlotCase {
    const char* name;
    int64_t count;
    int64_t columns;
    int64_t withoutExtraRow;
    int64_t withExtraRow;
};

class OSDGridSlotCounts : public ::testing::TestWithParam<SlotCase> {};

TEST_P(OSDGridSlotCounts, FillTheLastRowAndOptionallyOneMore) {
    const SlotCase& c = GetParam();
    EXPECT_EQ(Destinations::slotCount(c.count, c.columns, false), c.withoutExtraRow);
    EXPECT_EQ(Destinations::slotCount(c.count, c.columns, true), c.withExtraRow);
    EXPECT_EQ(Destinations::expandedSlotCount(c.count, c.columns), c.withExtraRow);
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, OSDGridSlotCounts,
    ::testing::Values(SlotCase{"fiveInThree", 5, 3, 6, 9}, SlotCase{"sixInThree", 6, 3, 6, 9},
                      SlotCase{"oneInTwo", 1, 2, 2, 4}, SlotCase{"nineInFour", 9, 4, 12, 16},
                      SlotCase{"noSpaces", 0, 3, 0, 0}, SlotCase{"noColumns", 5, 0, 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

struct ReorderCase {
    const char* name;
    int64_t from;
    int64_t to;
    Behavior behavior;
    Order expected;
};

class OSDGridReordered : public ::testing::TestWithParam<ReorderCase> {};

TEST_P(OSDGridReordered, MovesCellsWithTheirContent) {
    const ReorderCase& c = GetParam();
    const auto result = titledModel(5, 3).reordered(c.from, c.to, c.behavior);
    ASSERT_TRUE(result);
    EXPECT_EQ(order(*result), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Orders, OSDGridReordered,
    ::testing::Values(
        ReorderCase{"shuffleForward", 0, 3, Behavior::shuffle, {"1", "2", "3", "0", "4"}},
        ReorderCase{"swapForward", 0, 3, Behavior::swap, {"3", "1", "2", "0", "4"}},
        ReorderCase{"shuffleBackward", 3, 0, Behavior::shuffle, {"3", "0", "1", "2", "4"}},
        ReorderCase{"shuffleNeighbours", 4, 3, Behavior::shuffle, {"0", "1", "2", "4", "3"}},
        ReorderCase{"sameCell", 2, 2, Behavior::shuffle, {"0", "1", "2", "3", "4"}},
        ReorderCase{"targetOutside", 2, 5, Behavior::swap, {"0", "1", "2", "3", "4"}},
        ReorderCase{"sourceOutside", -1, 2, Behavior::swap, {"0", "1", "2", "3", "4"}}),
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
    const auto result = *model.reordered(1, 3, Behavior::shuffle);
    // Onto a placeholder the cells swap even under shuffle.
    EXPECT_TRUE(result.isPlaceholder(1));
    EXPECT_EQ(result.title(3), "Mail");
    EXPECT_EQ(result.cellScreenshots().at(3), picture);
    EXPECT_EQ(result.icon(3), icon);
    EXPECT_EQ(result.cellIconStacks().at(3), stack);
    EXPECT_TRUE(result.isObscured(3));
    EXPECT_FALSE(result.isObscured(1));
    EXPECT_TRUE(result.virtualDestinationIndices().empty());
    EXPECT_EQ(result.spaceCount(), 4);
}

TEST(OSDGridReorderingTest, PlaceholderCannotBeDragged) {
    const auto model = titledModel(4, 2, 0, {2});
    EXPECT_EQ(model.reordered(2, 0, Behavior::swap), model);
    EXPECT_EQ(model.dragPreviewModel(2, 0, Behavior::swap, std::nullopt), model);
}

TEST(OSDGridReorderingTest, ActiveIndexFollowsTheActiveCell) {
    const auto model = titledModel(5, 3, 2);
    const auto draggedActive = *model.reordered(2, 4, Behavior::shuffle);
    EXPECT_EQ(draggedActive.activeIndex(), 4);
    EXPECT_EQ(draggedActive.title(), "2");

    const auto acrossActive = *model.reordered(0, 3, Behavior::shuffle);
    EXPECT_EQ(acrossActive.activeIndex(), 1) << "the active cell shifted one towards the source";
    EXPECT_EQ(acrossActive.title(), "2");

    const auto swapped = *model.reordered(0, 4, Behavior::swap);
    EXPECT_EQ(swapped.activeIndex(), 2);
}

TEST(OSDGridReorderingTest, UntitledActiveCellKeepsTheHeader) {
    const auto model = makeModel({.spaceCount = 3,
                                  .activeIndex = 0,
                                  .title = "Header",
                                  .columnCount = 3,
                                  .cellTitles = {{1, "One"}}});
    EXPECT_EQ(model.reordered(1, 2, Behavior::swap)->title(), "Header");
}

TEST(OSDGridReorderingTest, VirtualDragDestinationModel) {
    const auto model = titledModel(5, 3);
    EXPECT_EQ(model.virtualDragDestinationModel(4, {}), model) << "below the Space count";
    EXPECT_EQ(model.virtualDragDestinationModel(5, {}), model);

    const auto grown = *model.virtualDragDestinationModel(6, {});
    EXPECT_EQ(grown.spaceCount(), 6);
    EXPECT_EQ(grown.virtualDestinationIndices(), (std::set<int64_t>{5}));
    EXPECT_EQ(grown.cellTitles(), model.cellTitles());

    const auto cut = *model.virtualDragDestinationModel(40, {7});
    EXPECT_EQ(cut.spaceCount(), 9) << "never more than one extra row";
    EXPECT_EQ(cut.virtualDestinationIndices(), (std::set<int64_t>{5, 6, 8}));
    EXPECT_EQ(cut.appearance(7)->kind(), OSDGridCellAppearance::Kind::inactivePlaceholder);

    const auto regrown = *grown.virtualDragDestinationModel(9, {});
    EXPECT_EQ(regrown.virtualDestinationIndices(), (std::set<int64_t>{6, 7, 8}))
        << "destinations are recomputed from the model's own count";
}

TEST(OSDGridReorderingTest, DropOfLastRealCellIntoFirstVirtualSlot) {
    const auto model = titledModel(5, 3, 4);
    const auto dropped = *model.virtualDropModel(4, 5, 6, {}, true);
    EXPECT_EQ(dropped.spaceCount(), 6);
    EXPECT_TRUE(dropped.isPlaceholder(4));
    EXPECT_EQ(dropped.title(5), "4");
    EXPECT_EQ(dropped.title(4), std::nullopt);
    EXPECT_EQ(dropped.activeIndex(), 5) << "the active cell moved with its Space";
    EXPECT_EQ(dropped.title(), "4");
}

TEST(OSDGridReorderingTest, DropFurtherOutFillsTheGapWithPlaceholders) {
    const auto picture = screenshot(Qt::red);
    const auto model = makeModel({.spaceCount = 4,
                                  .activeIndex = 0,
                                  .columnCount = 3,
                                  .cellTitles = {{1, "One"}},
                                  .cellScreenshots = {{1, picture}},
                                  .obscuredIndices = {1}});
    const auto filled = *model.virtualDropModel(1, 6, 7, {}, true);
    EXPECT_EQ(filled.placeholderIndices(), (std::set<int64_t>{1, 4, 5}));
    EXPECT_EQ(filled.cellScreenshots().at(6), picture);
    EXPECT_TRUE(filled.isObscured(6));
    EXPECT_FALSE(filled.isObscured(1));
    EXPECT_EQ(filled.activeIndex(), 0);

    const auto unfilled = *model.virtualDropModel(1, 6, 8, {4, 5, 7}, false);
    EXPECT_EQ(unfilled.placeholderIndices(), (std::set<int64_t>{1}));
    EXPECT_EQ(unfilled.virtualDestinationIndices(), (std::set<int64_t>{4, 5, 7}));
}

TEST(OSDGridReorderingTest, VirtualDropRefusesNonVirtualTargets) {
    const auto model = titledModel(4, 2, 0, {3});
    EXPECT_EQ(model.virtualDropModel(1, 2, 6, {}, true), model) << "target inside the grid";
    EXPECT_EQ(model.virtualDropModel(1, 6, 6, {}, true), model) << "target past the new end";
    EXPECT_EQ(model.virtualDropModel(3, 4, 6, {}, true), model) << "placeholder source";
    EXPECT_EQ(model.virtualDropModel(4, 5, 6, {}, true), model) << "source outside";
}

TEST(OSDGridReorderingTest, DragPreviewOverRealCellReordersAndOffersVirtualSlots) {
    const auto model = titledModel(5, 3);
    const auto preview = *model.dragPreviewModel(0, 3, Behavior::shuffle, 6);
    EXPECT_EQ(order(preview), (Order{"1", "2", "3", "0", "4", "-"}));
    EXPECT_EQ(preview.virtualDestinationIndices(), (std::set<int64_t>{5}));
}

TEST(OSDGridReorderingTest, DragPreviewOverVirtualSlotShowsTheDrop) {
    const auto model = titledModel(5, 3);
    const auto preview = *model.dragPreviewModel(1, 7, Behavior::shuffle, std::nullopt);
    EXPECT_EQ(preview.spaceCount(), 9);
    EXPECT_EQ(preview.title(7), "1");
    EXPECT_TRUE(preview.isPlaceholder(1));
    EXPECT_EQ(preview.virtualDestinationIndices(), (std::set<int64_t>{5, 6, 8}));
}

TEST(OSDGridReorderingTest, DragPreviewOutsideTheDragAreaShowsNoMove) {
    const auto model = titledModel(5, 3);
    const auto preview = *model.dragPreviewModel(1, 6, Behavior::swap, 6);
    EXPECT_EQ(order(preview), (Order{"0", "1", "2", "3", "4", "-"}));
    EXPECT_EQ(preview.virtualDestinationIndices(), (std::set<int64_t>{5}));
    EXPECT_EQ(model.dragPreviewModel(1, -1, Behavior::swap, 6), preview);
}

TEST(OSDGridReorderingTest, DragPreviewOntoPlaceholderSwaps) {
    const auto model = titledModel(6, 3, 0, {4});
    const auto preview = *model.dragPreviewModel(0, 4, Behavior::shuffle, 6);
    EXPECT_EQ(order(preview), (Order{"4", "1", "2", "3", "0", "5"}));
    EXPECT_TRUE(preview.isPlaceholder(0));
}

} // namespace
} // namespace tessarin
