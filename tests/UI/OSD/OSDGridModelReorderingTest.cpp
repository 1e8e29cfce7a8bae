#include "UI/OSD/OSDGridModel.h"
#include "UI/OSD/OSDGridTestSupport.h"
#include "UI/OSD/OSDGridVirtualDragDestinations.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

using namespace testing;
using Behavior = OSDGridRearrangementBehavior;
using Indices = std::set<int64_t>;

TEST(OSDGridVirtualDragDestinations, FillTheLastRowAndOptionallyOneMore) {
    using namespace OSDGridVirtualDragDestinations;
    EXPECT_EQ(slotCount(5, 3, false), 6);
    EXPECT_EQ(slotCount(5, 3, true), 9);
    EXPECT_EQ(slotCount(6, 3, false), 6) << "a full last row";
    EXPECT_EQ(slotCount(9, 4, true), 16);
    EXPECT_EQ(slotCount(0, 3, true) + slotCount(5, 0, true), 0);
    EXPECT_EQ(expandedSlotCount(0, 3) + expandedSlotCount(5, 0), 0);
}

TEST(OSDGridReorderingTest, MovesCellsWithTheirTitles) {
    const struct {
        const char* name;
        int64_t from, to;
        Behavior behavior;
        const char* expected;
    } cases[] = {
        {"shuffle forward", 0, 3, Behavior::shuffle, "12304"},
        {"swap forward", 0, 3, Behavior::swap, "31204"},
        {"shuffle backward", 3, 0, Behavior::shuffle, "30124"},
        {"shuffle neighbours", 4, 3, Behavior::shuffle, "01243"},
        {"same cell", 2, 2, Behavior::shuffle, "01234"},
        {"target outside", 2, 5, Behavior::swap, "01234"},
        {"source outside", -1, 2, Behavior::swap, "01234"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(order(titledModel(5, 3).reordered(c.from, c.to, c.behavior)), c.expected)
            << c.name;
    }
}

TEST(OSDGridReorderingTest, EveryCellAttributeFollowsItsCellOnAMoveAndADrop) {
    const auto picture = screenshot(Qt::red);
    const auto icon = appIcon("mail");
    const std::vector stack{appIcon("a"), appIcon("b")};
    const auto model = makeModel({.spaceCount = 4,
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
    EXPECT_EQ(model.reordered(3, 0, Behavior::swap), model) << "a placeholder is never dragged";
    const auto dropped = model.virtualDropModel(1, 5, 6, {}, true);
    ASSERT_TRUE(dropped);
    EXPECT_EQ(dropped->cellScreenshots().at(5), picture);
    EXPECT_EQ(dropped->obscuredIndices(), Indices{5});
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
    const auto untitled = makeModel(
        {.spaceCount = 3, .title = "Header", .columnCount = 3, .cellTitles = {{1, "One"}}});
    EXPECT_EQ(untitled.reordered(1, 2, Behavior::swap).value().title(), "Header")
        << "an untitled active cell keeps the header";
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
    EXPECT_EQ(grown->virtualDragDestinationModel(9, {}).value().virtualDestinationIndices(),
              (Indices{6, 7, 8}))
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

TEST(OSDGridReorderingTest, NoDropOrPreviewForWhatCannotMove) {
    const auto model = titledModel(4, 2, 0, {3});
    EXPECT_EQ(model.virtualDropModel(1, 2, 6, {}, true), model) << "target inside the grid";
    EXPECT_EQ(model.virtualDropModel(1, 6, 6, {}, true), model) << "target past the new end";
    EXPECT_EQ(model.virtualDropModel(3, 4, 6, {}, true), model) << "placeholder source";
    EXPECT_EQ(model.virtualDropModel(4, 5, 6, {}, true), model) << "source outside";
    EXPECT_EQ(model.dragPreviewModel(3, 0, Behavior::swap, std::nullopt), model) << "placeholder";
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
    EXPECT_EQ(model.dragPreviewModel(1, -1, Behavior::swap, 6), outside);
}

} // namespace
} // namespace tessarin
