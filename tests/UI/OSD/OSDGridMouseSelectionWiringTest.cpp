#include "UI/OSD/OSDGridMouseSelectionWiring.h"

#include "UI/OSD/OSDGridTestSupport.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

using testing::plainModel;
namespace Wiring = OSDGridMouseSelectionWiring;

TEST(OSDGridMouseSelectionWiringTest, ShownGridSelectsOtherCellsAndTellsHowItGoesAway) {
    std::vector<std::pair<int64_t, OSDDismissalBehavior>> selections;
    const auto behavior = OSDDismissalBehavior::untilModifiersReleased(0x100000);
    const auto context = Wiring::makeContext(
        {.model = plainModel(4, 2, 2),
         .dismissalBehavior = behavior,
         .allowsMouseSelection = false,
         .onSelect = [&](int64_t index,
                         OSDDismissalBehavior b) { selections.emplace_back(index, b); },
         .onReorder = [](int64_t, int64_t) {}});
    ASSERT_TRUE(context);
    EXPECT_FALSE(context->allowsSelection) << "as the setting says";
    EXPECT_FALSE(context->allowsCurrentActiveSelection);
    EXPECT_EQ(context->footerTitle, "Drag to re-arrange");
    context->onSelect(1);
    EXPECT_EQ(selections, (std::vector{std::pair{int64_t{1}, behavior}}));
}

TEST(OSDGridMouseSelectionWiringTest, NoShownGridContextWithoutBothCallbacks) {
    EXPECT_FALSE(
        Wiring::makeContext({.model = plainModel(4, 2), .onReorder = [](int64_t, int64_t) {}}));
    EXPECT_FALSE(Wiring::makeContext(
        {.model = plainModel(4, 2), .onSelect = [](int64_t, OSDDismissalBehavior) {}}));
}

TEST(OSDGridMouseSelectionWiringTest, PickerSelectsAnyCellAndStaysUntilDismissed) {
    const auto context = Wiring::makePickerContext(
        {.model = plainModel(4, 2, 2), .onSelect = nullptr, .onReorder = nullptr});
    EXPECT_TRUE(context.allowsSelection);
    EXPECT_TRUE(context.allowsCurrentActiveSelection);
    EXPECT_EQ(context.dismissalBehavior, OSDDismissalBehavior::manual());
    ASSERT_TRUE(context.onSelect) << "a picker always has both callbacks";
    ASSERT_TRUE(context.onReorder);
    context.onSelect(0);
    context.onReorder(0, 1);
}

} // namespace
} // namespace tessarin
