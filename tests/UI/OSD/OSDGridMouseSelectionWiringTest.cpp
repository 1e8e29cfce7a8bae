#include "UI/OSD/OSDGridMouseSelectionWiring.h"

#include "Platform/Input/Event.h"
#include "UI/OSD/OSDGridTestSupport.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

using testing::plainModel;
namespace Wiring = OSDGridMouseSelectionWiring;

// Only held shortcut modifiers keep the OSD up; without them it hides like a timer.
TEST(OSDDismissalBehaviorTest, WatchesOnlyShortcutModifiers) {
    using B = OSDDismissalBehavior;
    const auto held =
        B::untilModifiersReleased(EventFlags::maskControl | EventFlags::maskCommand |
                                  EventFlags::maskAlphaShift | EventFlags::maskNumericPad);
    EXPECT_EQ(held.watchedModifierFlags(), EventFlags::maskControl | EventFlags::maskCommand);
    EXPECT_FALSE(held.hidesAfterDisplayTime());
    EXPECT_EQ(B::timer().watchedModifierFlags(), 0u);
    EXPECT_TRUE(B::untilModifiersReleased(0).hidesAfterDisplayTime());
    EXPECT_TRUE(B::untilModifiersReleased(EventFlags::maskAlphaShift).hidesAfterDisplayTime());
    EXPECT_TRUE(B::timer().hidesAfterDisplayTime());
    EXPECT_FALSE(B::manual().hidesAfterDisplayTime());
}

TEST(OSDGridMouseSelectionWiringTest, ShownGridSelectsOtherCellsAndTellsHowItGoesAway) {
    std::vector<std::pair<int64_t, OSDDismissalBehavior>> selections;
    const auto behavior = OSDDismissalBehavior::untilModifiersReleased(0x100000);
    const auto onSelect = [&](int64_t index, OSDDismissalBehavior b) {
        selections.emplace_back(index, b);
    };
    const auto onReorder = [](int64_t, int64_t) {};
    const auto context = Wiring::makeContext({.model = plainModel(4, 2, 2),
                                              .dismissalBehavior = behavior,
                                              .allowsMouseSelection = false,
                                              .onSelect = onSelect,
                                              .onReorder = onReorder});
    ASSERT_TRUE(context);
    EXPECT_FALSE(context->allowsSelection) << "as the setting says";
    EXPECT_FALSE(context->allowsCurrentActiveSelection);
    EXPECT_EQ(context->footerTitle, "Drag to re-arrange");
    context->onSelect(1);
    EXPECT_EQ(selections, (std::vector{std::pair{int64_t{1}, behavior}}));
    EXPECT_FALSE(Wiring::makeContext({.model = plainModel(4, 2), .onReorder = onReorder}));
    EXPECT_FALSE(Wiring::makeContext({.model = plainModel(4, 2), .onSelect = onSelect}));
}

TEST(OSDGridMouseSelectionWiringTest, PickerSelectsAnyCellAndStaysUntilDismissed) {
    std::vector<std::string> calls;
    const auto context = Wiring::makePickerContext(
        {.model = plainModel(4, 2, 2),
         .onSelect = [&](int64_t index) { calls.push_back("select " + std::to_string(index)); },
         .onReorder =
             [&](int64_t from, int64_t to) {
                 calls.push_back("reorder " + std::to_string(from) + " " + std::to_string(to));
             }});
    EXPECT_TRUE(context.allowsSelection);
    EXPECT_TRUE(context.allowsCurrentActiveSelection);
    EXPECT_EQ(context.dismissalBehavior, OSDDismissalBehavior::manual());
    context.onSelect(2);
    context.onReorder(0, 3);
    EXPECT_EQ(calls, (std::vector<std::string>{"select 2", "reorder 0 3"}));
    const auto bare = Wiring::makePickerContext(
        {.model = plainModel(4, 2, 2), .onSelect = nullptr, .onReorder = nullptr});
    EXPECT_NO_THROW(bare.onSelect(0)) << "a picker always has both callbacks";
    EXPECT_NO_THROW(bare.onReorder(0, 1));
}

} // namespace
} // namespace tessarin
