#include "UI/OSD/OSDGridReorderPreview.h"

#include <gtest/gtest.h>
#include <ostream>

namespace tessarin {
namespace {

using Behavior = OSDGridRearrangementBehavior;
using Order = std::vector<int64_t>;

// Five Spaces; the drag area offers nine slots.
struct PreviewCase {
    const char* name;
    int64_t source;
    int64_t destination;
    Behavior behavior;
    std::set<int64_t> placeholders;
    std::optional<Order> expected; // none: no preview
    int64_t sourceSlot = 0;
};

void PrintTo(const PreviewCase& c, std::ostream* out) {
    *out << c.name;
}

class OSDGridReorderPreviewTest : public ::testing::TestWithParam<PreviewCase> {};

TEST_P(OSDGridReorderPreviewTest, OrdersTheSlotsTheDragWouldLeave) {
    const PreviewCase& c = GetParam();
    const auto preview =
        OSDGridReorderPreview::make(5, c.source, c.destination, c.behavior, c.placeholders, 9);
    if (!c.expected) {
        EXPECT_FALSE(preview);
        return;
    }
    ASSERT_TRUE(preview);
    EXPECT_EQ(preview->order, *c.expected);
    EXPECT_EQ(preview->slot(c.source), c.sourceSlot);
}

INSTANTIATE_TEST_SUITE_P(
    Drags, OSDGridReorderPreviewTest,
    ::testing::Values(
        PreviewCase{"swapExchangesTheTwoCells", 0, 2, Behavior::swap, {}, Order{2, 1, 0, 3, 4}, 2},
        PreviewCase{"shuffleForwardShiftsTheCellsBetween",
                    0,
                    2,
                    Behavior::shuffle,
                    {},
                    Order{1, 2, 0, 3, 4},
                    2},
        PreviewCase{"shuffleBackwardShiftsTheCellsBetween",
                    3,
                    1,
                    Behavior::shuffle,
                    {},
                    Order{0, 3, 1, 2, 4},
                    1},
        PreviewCase{
            "shuffleOntoAPlaceholderSwaps", 0, 3, Behavior::shuffle, {3}, Order{3, 1, 2, 0, 4}, 3},
        PreviewCase{
            "virtualSlotKeepsTheOrder", 1, 7, Behavior::shuffle, {}, Order{0, 1, 2, 3, 4}, 7},
        PreviewCase{"placeholderIsNeverDragged", 2, 0, Behavior::swap, {2}, std::nullopt},
        PreviewCase{"sourceOutsideTheSpaces", 5, 0, Behavior::swap, {}, std::nullopt},
        PreviewCase{"destinationPastTheDragArea", 0, 9, Behavior::swap, {}, std::nullopt},
        PreviewCase{"negativeDestination", 0, -1, Behavior::swap, {}, std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace tessarin
