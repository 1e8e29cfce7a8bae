#include "UI/OSD/OSDGridMouseSelectionWiring.h"

#include "UI/OSD/OSDGridInteractionContextUpdate.h"
#include "UI/OSD/OSDGridTestSupport.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

using testing::makeModel;

OSDGridModel model() {
    return makeModel({.spaceCount = 4,
                      .activeIndex = 2,
                      .columnCount = 2,
                      .cellTitles = {{0, "Mail"}},
                      .placeholderIndices = {3}});
}

TEST(OSDGridMouseSelectionWiringTest, ContextOfAShownGrid) {
    std::vector<std::pair<int64_t, OSDDismissalBehavior>> selections;
    const auto behavior = OSDDismissalBehavior::untilModifiersReleased(0x100000);
    const auto context = OSDGridMouseSelectionWiring::makeContext(
        {.model = model(),
         .displayIdentifier = "display-A",
         .dismissalBehavior = behavior,
         .allowsMouseSelection = true,
         .rearrangementBehavior = OSDGridRearrangementBehavior::shuffle,
         .onSelect = [&](int64_t index,
                         OSDDismissalBehavior b) { selections.emplace_back(index, b); },
         .onReorder = [](int64_t, int64_t) {}});
    ASSERT_TRUE(context);
    EXPECT_EQ(context->displayIdentifier, "display-A");
    EXPECT_EQ(context->currentActiveIndex, 2);
    EXPECT_EQ(context->cellTitles, model().cellTitles());
    EXPECT_EQ(context->placeholderIndices, (std::set<int64_t>{3}));
    EXPECT_TRUE(context->allowsSelection);
    EXPECT_FALSE(context->allowsCurrentActiveSelection);
    EXPECT_TRUE(context->allowsReordering);
    EXPECT_FALSE(context->allowsKeyboardSelection);
    EXPECT_FALSE(context->blocksAtEdges);
    EXPECT_EQ(context->wrapStyle, GridWrapStyle::snake);
    EXPECT_EQ(context->rearrangementBehavior, OSDGridRearrangementBehavior::shuffle);
    EXPECT_EQ(context->dismissalBehavior, behavior);
    EXPECT_EQ(context->footerTitle, "Drag to re-arrange");
    EXPECT_FALSE(context->onKeyboardMove);
    EXPECT_FALSE(context->onCancel);
    EXPECT_FALSE(context->onRemoveSpace);
    EXPECT_FALSE(context->onAddSpaceAtTail);

    context->onSelect(1);
    ASSERT_EQ(selections.size(), 1u);
    EXPECT_EQ(selections[0].first, 1);
    EXPECT_EQ(selections[0].second, behavior) << "the selection hears how the grid goes away";
}

TEST(OSDGridMouseSelectionWiringTest, NoContextWithoutSelectionCallback) {
    EXPECT_FALSE(OSDGridMouseSelectionWiring::makeContext(
        {.model = model(), .onReorder = [](int64_t, int64_t) {}}));
}

TEST(OSDGridMouseSelectionWiringTest, PickerContext) {
    int cancelled = 0;
    const auto context = OSDGridMouseSelectionWiring::makePickerContext(
        {.model = model(),
         .blocksAtEdges = true,
         .wrapStyle = GridWrapStyle::pacMan,
         .allowsKeyboardSelection = true,
         .allowsReordering = true,
         .footerTitle = "Select or drag to re-arrange",
         .onKeyboardMove = [](OSDGridKeyboardSelectionDirection) { return true; },
         .onCancel = [&] { ++cancelled; }});
    EXPECT_TRUE(context.allowsSelection);
    EXPECT_TRUE(context.allowsCurrentActiveSelection);
    EXPECT_EQ(context.dismissalBehavior, OSDDismissalBehavior::manual());
    EXPECT_TRUE(context.blocksAtEdges);
    EXPECT_EQ(context.wrapStyle, GridWrapStyle::pacMan);
    EXPECT_TRUE(context.allowsKeyboardSelection);
    EXPECT_EQ(context.footerTitle, "Select or drag to re-arrange");
    EXPECT_EQ(context.currentActiveIndex, 2);
    ASSERT_TRUE(context.onReorder) << "a picker always has a reorder callback";
    context.onReorder(0, 1);
    context.onCancel();
    EXPECT_EQ(cancelled, 1);
    EXPECT_TRUE(context.onKeyboardMove(OSDGridKeyboardSelectionDirection::up));
}

TEST(OSDGridMouseSelectionWiringTest, ContextUpdates) {
    const auto picker = OSDGridMouseSelectionWiring::makePickerContext({.model = model()});
    const auto replace = OSDGridInteractionContextUpdate::replace(picker);
    EXPECT_EQ(replace.kind(), OSDGridInteractionContextUpdate::Kind::replace);
    EXPECT_TRUE(replace.context());
    const auto removal = OSDGridInteractionContextUpdate::replace(std::nullopt);
    EXPECT_FALSE(removal.context());
    EXPECT_EQ(OSDGridInteractionContextUpdate::replacePreservingMouseInteraction(picker).kind(),
              OSDGridInteractionContextUpdate::Kind::replacePreservingMouseInteraction);
    EXPECT_FALSE(OSDGridInteractionContextUpdate::preserve().context());
}

} // namespace
} // namespace tessarin
